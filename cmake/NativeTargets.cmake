# Native build: the portable core and its tests, with the address and undefined-behaviour sanitizers.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
# The library's own bounds checks: an index one past a vector's, a string's or a span's end stops the test, where the
# address sanitizer sees only reads past the memory reserved, which is often larger.
set(BOUNDS_CHECKS _GLIBCXX_ASSERTIONS)
target_compile_options(varnel_core PRIVATE ${SANITIZE})
target_compile_definitions(varnel_core PRIVATE ${BOUNDS_CHECKS})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB CORE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/core/*.cpp)
add_executable(core_tests ${CORE_TEST_SOURCES})
target_compile_options(core_tests PRIVATE ${SANITIZE})
target_compile_definitions(core_tests PRIVATE ${BOUNDS_CHECKS})
target_link_options(core_tests PRIVATE ${SANITIZE})
target_link_libraries(core_tests PRIVATE varnel_core gtest_main)
add_test(NAME core_tests COMMAND core_tests)

find_package(benchmark QUIET)
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
if(benchmark_FOUND AND BENCH_SOURCES)
  # Benchmarks measure the code as shipped: an unsanitized, optimised copy of the core.
  add_library(varnel_core_optimised STATIC ${CORE_SOURCES})
  target_include_directories(varnel_core_optimised PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
  target_compile_options(varnel_core_optimised PRIVATE -O2)
  add_executable(core_bench ${BENCH_SOURCES})
  target_compile_options(core_bench PRIVATE -O2)
  target_link_libraries(core_bench PRIVATE varnel_core_optimised benchmark::benchmark)
endif()

# The protocol core on a network of namespaces with real Samba daemons (root only: CI runs as root).
add_executable(lan_probe ${CMAKE_SOURCE_DIR}/tests/lan/lan_probe.cpp)
target_link_libraries(lan_probe PRIVATE varnel_core)
target_compile_options(lan_probe PRIVATE ${SANITIZE})
target_compile_definitions(lan_probe PRIVATE ${BOUNDS_CHECKS})
target_link_options(lan_probe PRIVATE ${SANITIZE})
add_test(NAME lan_core COMMAND ${CMAKE_SOURCE_DIR}/tests/lan/with-lan-core.sh $<TARGET_FILE:lan_probe>)
set_tests_properties(lan_core PROPERTIES TIMEOUT 240 SKIP_RETURN_CODE 77)
