# One interface target carries the project's warning flags; every target of
# ours links it, third-party code never sees it.
add_library(fermat_warnings INTERFACE)
target_compile_options(fermat_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-align -Wnull-dereference -Wimplicit-fallthrough
  # Designated initialisers leave the other members at their defaults on purpose.
  -Wno-missing-field-initializers
  $<$<BOOL:${FERMAT_WARNINGS_AS_ERRORS}>:-Werror>)
