# One INTERFACE target carries the project's warning flags; every target links it.
add_library(nv_warnings INTERFACE)
target_compile_options(nv_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough)
if(NV_WARNINGS_AS_ERRORS)
    target_compile_options(nv_warnings INTERFACE -Werror)
endif()
