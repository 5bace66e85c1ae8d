# Shared build rules: every src folder is one static library built from the
# sources it holds; every tests folder is one Qt Test executable run by CTest.

set(REMETIX_WARNINGS -Wall -Wextra)

# remetix_library(<folder> DEPS <targets...>)
function(remetix_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(remetix_${folder} STATIC ${sources})
  target_include_directories(remetix_${folder} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(remetix_${folder} PRIVATE ${REMETIX_WARNINGS})
  target_link_libraries(remetix_${folder} PUBLIC ${ARG_DEPS})
endfunction()

# remetix_test(<folder> DEPS <targets...>): one executable "test_<folder>" from
# every .cpp of the folder, registered in CTest and run offscreen with a fixed
# locale so texts and dates do not depend on the machine.
function(remetix_test folder)
  cmake_parse_arguments(ARG "" "TIMEOUT" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(test_${folder} ${sources})
  target_compile_options(test_${folder} PRIVATE ${REMETIX_WARNINGS})
  target_link_libraries(test_${folder} PRIVATE remetix_testsupport Qt6::Test ${ARG_DEPS})
  add_test(NAME ${folder} COMMAND test_${folder})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set_tests_properties(${folder} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=America/Sao_Paulo;REMETIX_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
endfunction()
