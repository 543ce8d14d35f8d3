# Compiler settings shared by every target of the project.
add_library(marbelle_options INTERFACE)
target_compile_options(marbelle_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-qual -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 reports overlapping copies inside std::string concatenation at -O2 (GCC bug 105329).
  target_compile_options(marbelle_options INTERFACE -Wno-restrict)
endif()
if(MARBELLE_WERROR)
  target_compile_options(marbelle_options INTERFACE -Werror)
endif()
if(MARBELLE_FUZZ)
  # Coverage feedback from the libraries, not only from the fuzz target itself.
  target_compile_options(marbelle_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(marbelle_options INTERFACE -fsanitize=address,undefined)
endif()
if(MARBELLE_SANITIZE)
  target_compile_options(marbelle_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(marbelle_options INTERFACE -fsanitize=address,undefined)
endif()

# One static library per folder under src/; DEPENDS lists the lower layers its
# headers expose, USES what only its sources need, so that it reaches no layer
# above through them.
function(marbelle_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;USES" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC marbelle_options ${ARG_DEPENDS} PRIVATE ${ARG_USES})
endfunction()
