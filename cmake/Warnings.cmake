# One interface target carries the project's warning flags; every target of
# ours links it, third-party code never sees it. Each compiler gets only the
# flags it understands. Warnings are errors only when FERMAT_WARNINGS_AS_ERRORS
# is on (the dev and asan presets, CI): a user's build with a newer or older
# compiler must not fail on a warning nobody here has seen.
add_library(fermat_warnings INTERFACE)
set(fermat_gcc_like "$<CXX_COMPILER_ID:GNU,Clang,AppleClang>")
set(fermat_msvc "$<CXX_COMPILER_ID:MSVC>")
target_compile_options(fermat_warnings INTERFACE
  $<${fermat_gcc_like}:
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wcast-align -Wnull-dereference -Wimplicit-fallthrough
    # Designated initialisers leave the other members at their defaults on purpose.
    -Wno-missing-field-initializers>
  $<${fermat_msvc}:/W4 /permissive->
  $<$<BOOL:${FERMAT_WARNINGS_AS_ERRORS}>:$<IF:${fermat_msvc},/WX,-Werror>>)
