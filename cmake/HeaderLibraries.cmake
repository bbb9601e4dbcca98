# fmt (doubles as text) and nlohmann's JSON (the set-up files), from
# Debian's libfmt-dev and nlohmann-json3-dev, used header-only: no build links a
# compiled copy, so the browser build (which cannot link the system's) uses
# the very same code as the desktop. A cross build must not see the build
# machine's whole include folder (its C library's headers would shadow the
# target's), so each library's folder is linked into a folder of the build
# tree, and that is the only include folder any target is given.
add_library(fermat_header_libraries INTERFACE)
set(fermat_header_root ${PROJECT_BINARY_DIR}/header-libraries/include)
file(MAKE_DIRECTORY ${fermat_header_root})
foreach(entry "fmt|fmt/format.h|libfmt-dev" "nlohmann|nlohmann/json.hpp|nlohmann-json3-dev")
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 folder)
  list(GET entry 1 header)
  list(GET entry 2 package)
  # The host's headers, also when cross-compiling: the root path would confine
  # find_path to the target's system root, and emscripten's platform searches
  # no host folder of its own.
  find_path(FERMAT_${folder}_INCLUDE_DIR ${header} PATHS /usr/local/include /usr/include NO_CMAKE_FIND_ROOT_PATH)
  if(NOT FERMAT_${folder}_INCLUDE_DIR)
    message(FATAL_ERROR "${header} not found: install ${package} (scripts/install-deps does)")
  endif()
  if(NOT EXISTS ${fermat_header_root}/${folder})
    file(CREATE_LINK ${FERMAT_${folder}_INCLUDE_DIR}/${folder} ${fermat_header_root}/${folder} SYMBOLIC COPY_ON_ERROR)
  endif()
endforeach()
target_include_directories(fermat_header_libraries SYSTEM INTERFACE ${fermat_header_root})
# fmt without std::locale (only its "L" format, which nothing here uses, reads
# the locale): the numbers never depend on it, and the browser build does not
# carry the C++ library's locale facets (about a fifth of its code).
target_compile_definitions(fermat_header_libraries INTERFACE FMT_HEADER_ONLY FMT_STATIC_THOUSANDS_SEPARATOR=',')
