# Writes a C++ source that holds text files as string literals, so the
# native program and both WebAssembly builds read the same bytes without a
# file system. Run as a script:
#   cmake -DOUTPUT=out.cpp -DFUNCTION=name -DFILES="a.json;b.json" -P EmbedCatalogues.cmake
# FUNCTION returns the one file's text (std::string_view), or with -DLIST=ON
# every file's text (std::vector<std::string_view>).
set(body "// Generated from resources/i18n by cmake/EmbedCatalogues.cmake; edit the JSON files.\n")
string(APPEND body "#include <string_view>\n#include <vector>\n\nnamespace text {\nnamespace {\n")
set(index 0)
set(names "")
foreach(file IN LISTS FILES)
  file(READ "${file}" text)
  # A raw literal's delimiter the catalogues never contain; compilers cap a
  # literal's piece at 64 KiB, so long files go in pieces joined by the compiler.
  string(LENGTH "${text}" length)
  set(pieces "")
  set(at 0)
  while(at LESS length)
    # Cut after a line's end, never inside a character's UTF-8 bytes.
    string(SUBSTRING "${text}" ${at} 30000 piece)
    string(LENGTH "${piece}" taken)
    math(EXPR end "${at} + ${taken}")
    if(end LESS length)
      string(FIND "${piece}" "\n" newline REVERSE)
      if(newline GREATER -1)
        math(EXPR taken "${newline} + 1")
        string(SUBSTRING "${text}" ${at} ${taken} piece)
      endif()
    endif()
    string(APPEND pieces "R\"fl_json(${piece})fl_json\"\n")
    math(EXPR at "${at} + ${taken}")
  endwhile()
  string(APPEND body "constexpr char kText${index}[] =\n${pieces};\n")
  list(APPEND names "kText${index}")
  math(EXPR index "${index} + 1")
endforeach()
string(APPEND body "}  // namespace\n\n")
if(NOT LIST)
  string(APPEND body "std::string_view ${FUNCTION}() noexcept { return {kText0, sizeof kText0 - 1}; }\n")
else()
  string(APPEND body "std::vector<std::string_view> ${FUNCTION}() {\n  return {")
  foreach(name IN LISTS names)
    string(APPEND body "{${name}, sizeof ${name} - 1}, ")
  endforeach()
  string(APPEND body "};\n}\n")
endif()
string(APPEND body "\n}  // namespace text\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
