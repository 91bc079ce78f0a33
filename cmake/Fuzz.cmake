# Fuzz targets (fuzz/*_fuzz.cpp). The normal build makes each one a replay
# program that runs every file of its committed corpus as a test, so an
# input that once crashed stays a test; with QUIRNEL_FUZZ (clang) they are
# libFuzzer programs that `make fuzz` runs.
option(QUIRNEL_FUZZ "Build the fuzz targets as libFuzzer programs (clang)" OFF)
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
add_custom_target(fuzz_targets)
foreach(src ${FUZZ_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  if(QUIRNEL_FUZZ)
    add_executable(${name} ${src})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${src} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    add_test(NAME ${name}_replay COMMAND ${name} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  endif()
  target_link_libraries(${name} PRIVATE quirnel_core)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzz_targets ${name})
endforeach()
