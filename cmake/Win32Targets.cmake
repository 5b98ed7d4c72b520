# Cross build: the program, its Win32 tests under Wine and the end-to-end driver with its stand-in library.
enable_language(RC)
add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600 NOMINMAX STRICT)
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
# The release program is built for size (docs/performance.md): its time goes to the platform's calls, not to
# its own code. Sections per function and data item let the linker drop the unused ones.
string(REPLACE "-O3" "-Os" CMAKE_C_FLAGS_RELEASE "${CMAKE_C_FLAGS_RELEASE}")
string(REPLACE "-O3" "-Os" CMAKE_CXX_FLAGS_RELEASE "${CMAKE_CXX_FLAGS_RELEASE}")
add_compile_options(-ffunction-sections -fdata-sections)
set(RELEASE_SIZE_LIMIT 620000)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(TEST_BIN_DIR ${CMAKE_BINARY_DIR}/bin/test)

file(GLOB TOOLKIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/toolkit/*.cpp)
file(GLOB NET_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/net/*.cpp)
file(GLOB COMPONENT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/components/*.cpp)
file(GLOB FORM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/forms/*.cpp)
set(SYSTEM_LIBS comctl32 comdlg32 shell32 ole32 uuid gdi32 user32 kernel32 ws2_32)

# One library per layer, each linking only the layers below it: a lower layer that calls up does not link
# (cmake/CheckLayers.cmake catches the upward include before that).
add_library(varnel_toolkit STATIC ${TOOLKIT_SOURCES})
target_include_directories(varnel_toolkit PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(varnel_toolkit PUBLIC varnel_core ${SYSTEM_LIBS})
add_library(varnel_net STATIC ${NET_SOURCES})
target_link_libraries(varnel_net PUBLIC varnel_toolkit)
add_library(varnel_components STATIC ${COMPONENT_SOURCES})
target_link_libraries(varnel_components PUBLIC varnel_net)
add_library(varnel_forms STATIC ${FORM_SOURCES})
target_link_libraries(varnel_forms PUBLIC varnel_components)

# The start-up sequence is a library of its own so that the Wine tests can run it with failing windows.
add_library(varnel_startup STATIC ${CMAKE_SOURCE_DIR}/src/app/StartUp.cpp)
target_link_libraries(varnel_startup PUBLIC varnel_forms)
add_executable(varnel WIN32 ${CMAKE_SOURCE_DIR}/src/app/varnel.cpp ${CMAKE_SOURCE_DIR}/src/app/TerminateHandler.cpp
  ${CMAKE_SOURCE_DIR}/src/app/TickCount64.cpp ${CMAKE_SOURCE_DIR}/res/varnel.rc)
target_include_directories(varnel PRIVATE ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(varnel PRIVATE varnel_startup)
target_link_options(varnel PRIVATE ${STATIC_RUNTIME} -mwindows $<$<CONFIG:Release>:-s -Wl,--gc-sections>)
# The manifest names the processor of the build (the 64-bit build runs the Wine tests where 32-bit code cannot run).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(MANIFEST_ARCH amd64)
else()
  set(MANIFEST_ARCH x86)
endif()
configure_file(${CMAKE_SOURCE_DIR}/res/varnel.manifest.in ${CMAKE_BINARY_DIR}/generated/varnel.manifest @ONLY)
# The shipped 32-bit programs must start on Windows XP SP3 and stay small.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # The -posix runtime's thread library calls GetTickCount64 (Vista and later) for its timed waits. The programs
  # link a copy of it whose calls go to src/app/TickCount64.cpp instead, which uses the real one where kernel32 has
  # it; a call anywhere else still imports it and fails the import check.
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libpthread.a
    OUTPUT_VARIABLE THREAD_LIBRARY OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(XP_RUNTIME_DIR ${CMAKE_BINARY_DIR}/xp-runtime)
  add_custom_command(OUTPUT ${XP_RUNTIME_DIR}/libpthread.a
    COMMAND ${CMAKE_COMMAND} -E make_directory ${XP_RUNTIME_DIR}
    COMMAND ${CMAKE_OBJCOPY} --redefine-sym __imp__GetTickCount64@0=_VarnelTickCount64Slot
      ${THREAD_LIBRARY} ${XP_RUNTIME_DIR}/libpthread.a
    DEPENDS ${THREAD_LIBRARY} VERBATIM)
  add_custom_target(xp_runtime DEPENDS ${XP_RUNTIME_DIR}/libpthread.a)
endif()
function(varnel_shipped_program target)
  # The size limit is the shipped 32-bit program's; the 64-bit build only runs the tests.
  if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:${target}> -DLIMIT=${RELEASE_SIZE_LIMIT}
        -P ${CMAKE_SOURCE_DIR}/cmake/CheckFileSize.cmake)
  endif()
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_dependencies(${target} xp_runtime)
    target_link_directories(${target} PRIVATE ${XP_RUNTIME_DIR})
    # Every import reviewed against the list, no newer system asked for.
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:${target}>
        -DALLOWED=${CMAKE_SOURCE_DIR}/cmake/XpImports.txt -P ${CMAKE_SOURCE_DIR}/cmake/CheckImports.cmake
      VERBATIM)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/XpImports.txt
      ${CMAKE_SOURCE_DIR}/cmake/CheckImports.cmake)
  endif()
endfunction()
varnel_shipped_program(varnel)

# The console program: the same roads and bulk sender as the window, built without forms or components.
add_executable(varnelc ${CMAKE_SOURCE_DIR}/src/app/varnelc.cpp ${CMAKE_SOURCE_DIR}/src/app/TerminateHandler.cpp
  ${CMAKE_SOURCE_DIR}/src/app/TickCount64.cpp)
target_link_libraries(varnelc PRIVATE varnel_net)
target_link_options(varnelc PRIVATE ${STATIC_RUNTIME} -mconsole $<$<CONFIG:Release>:-s -Wl,--gc-sections>)
varnel_shipped_program(varnelc)
file(GLOB RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/art/* ${CMAKE_SOURCE_DIR}/res/*.rc2
  ${CMAKE_BINARY_DIR}/generated/varnel.manifest ${CMAKE_SOURCE_DIR}/res/resource.h)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/varnel.rc PROPERTIES
  OBJECT_DEPENDS "${RESOURCE_FILES}")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_BINARY_DIR}/generated -I${CMAKE_SOURCE_DIR}/res -c 1254")

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The recording stand-in for the network management library: tests place it beside the programs they run.
add_library(netapi32_standin SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/standin/netapi32.cpp
  ${CMAKE_SOURCE_DIR}/tests/e2e/standin/netapi32.def)
set_target_properties(netapi32_standin PROPERTIES OUTPUT_NAME netapi32 PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${TEST_BIN_DIR})
target_link_options(netapi32_standin PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at)

# The recording stand-in for the terminal-services library, placed the same way.
add_library(wtsapi32_standin SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/standin/wtsapi32.cpp
  ${CMAKE_SOURCE_DIR}/tests/e2e/standin/wtsapi32.def)
set_target_properties(wtsapi32_standin PROPERTIES OUTPUT_NAME wtsapi32 PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${TEST_BIN_DIR})
target_link_options(wtsapi32_standin PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at)

file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(win_tests ${WIN_TEST_SOURCES})
set_target_properties(win_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TEST_BIN_DIR})
target_link_libraries(win_tests PRIVATE varnel_startup gtest_main)
target_link_options(win_tests PRIVATE ${STATIC_RUNTIME})
add_dependencies(win_tests netapi32_standin wtsapi32_standin)
add_test(NAME win_tests COMMAND win_tests WORKING_DIRECTORY ${TEST_BIN_DIR})

file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(e2e_tests ${E2E_SOURCES})
set_target_properties(e2e_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TEST_BIN_DIR})
target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e)
target_link_libraries(e2e_tests PRIVATE varnel_core gtest ${SYSTEM_LIBS} psapi)
target_link_options(e2e_tests PRIVATE ${STATIC_RUNTIME})
add_dependencies(e2e_tests netapi32_standin wtsapi32_standin varnel varnelc)
# The program under test runs from the test folder so that it loads the stand-in beside it.
foreach(program varnel varnelc)
  add_custom_command(TARGET ${program} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TEST_BIN_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}> ${TEST_BIN_DIR}/${program}.exe)
endforeach()
# The network scenarios need the test network: lan_tests runs them there.
add_test(NAME e2e_tests COMMAND e2e_tests --gtest_filter=-LanTest.*:LanConsoleTest.* WORKING_DIRECTORY ${TEST_BIN_DIR})
set_tests_properties(e2e_tests PROPERTIES TIMEOUT 900)

# Direct delivery against a real Samba receiver: the script starts smbd on 127.0.0.1:139 around each phase.
file(GLOB WINPOPUP_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/winpopup/*.cpp)
add_executable(winpopup_tests ${WINPOPUP_TEST_SOURCES})
set_target_properties(winpopup_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TEST_BIN_DIR})
target_link_libraries(winpopup_tests PRIVATE varnel_net gtest_main)
target_link_options(winpopup_tests PRIVATE ${STATIC_RUNTIME})
add_dependencies(winpopup_tests netapi32_standin wtsapi32_standin)
add_test(NAME winpopup_tests COMMAND ${CMAKE_SOURCE_DIR}/tests/winpopup/with-smbd.sh $<TARGET_FILE:winpopup_tests>
  WORKING_DIRECTORY ${TEST_BIN_DIR})
set_tests_properties(winpopup_tests PROPERTIES TIMEOUT 240)

# The netapi32 that scripts/run puts beside the program on Wine: no messenger service, no browse list.
add_library(netapi32_run SHARED ${CMAKE_SOURCE_DIR}/tools/wine-netapi32/netapi32.cpp
  ${CMAKE_SOURCE_DIR}/tools/wine-netapi32/netapi32.def)
set_target_properties(netapi32_run PROPERTIES OUTPUT_NAME netapi32 PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/run ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/run-standin)
target_link_options(netapi32_run PRIVATE ${STATIC_RUNTIME} -Wl,--kill-at)
add_dependencies(e2e_tests netapi32_run)

# The direct delivery timed against smbclient by bench/wine/winpopup-bench.sh, which builds it.
add_executable(winpopup_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/wine/WinPopupBench.cpp)
target_link_libraries(winpopup_bench PRIVATE varnel_net)
target_link_options(winpopup_bench PRIVATE ${STATIC_RUNTIME})

# The setup program's round trip (tests/setup/round-trip.sh, from scripts/test --release) uses the end-to-end driver.
file(GLOB E2E_DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/Driver*.cpp)
add_executable(setup_tests EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/setup/SetupRoundTripTest.cpp ${E2E_DRIVER_SOURCES})
set_target_properties(setup_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TEST_BIN_DIR})
target_include_directories(setup_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e)
target_link_libraries(setup_tests PRIVATE varnel_core gtest_main ${SYSTEM_LIBS})
target_link_options(setup_tests PRIVATE ${STATIC_RUNTIME})

# The network scenarios on a network of namespaces with a real Samba browse master (root only: CI runs as root).
add_test(NAME lan_tests COMMAND ${CMAKE_SOURCE_DIR}/tests/lan/with-lan.sh $<TARGET_FILE:e2e_tests> $<TARGET_FILE:winpopup_tests>
  WORKING_DIRECTORY ${TEST_BIN_DIR})
set_tests_properties(lan_tests PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77)

# The start-up yardsticks and their launcher, built by bench/wine/startup-bench.sh.
set(STARTUP_BENCH_DIR ${CMAKE_BINARY_DIR}/bin/bench)
add_executable(startup_minimal WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/wine/StartupWindow.cpp)
add_executable(startup_floor WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/wine/StartupWindow.cpp
  ${CMAKE_SOURCE_DIR}/bench/wine/StartupFloor.rc)
target_compile_definitions(startup_floor PRIVATE STARTUP_FLOOR)
target_link_libraries(startup_floor PRIVATE comctl32 comdlg32 shell32 ole32 ws2_32)
# The floor asks for the common controls of its own processor, as Varnel does: a 64-bit program that asks for the
# x86 ones gets no common controls at all in a prefix that has them (and no activation context in one that has not).
configure_file(${CMAKE_SOURCE_DIR}/bench/wine/StartupFloor.manifest.in ${CMAKE_BINARY_DIR}/generated/StartupFloor.manifest
  @ONLY)
set_source_files_properties(${CMAKE_SOURCE_DIR}/bench/wine/StartupFloor.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/generated/StartupFloor.manifest)
add_executable(startup_launcher EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/wine/StartupLauncher.cpp)
target_link_libraries(startup_launcher PRIVATE psapi)
foreach(target startup_minimal startup_floor startup_launcher)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${STARTUP_BENCH_DIR})
  target_link_options(${target} PRIVATE ${STATIC_RUNTIME})
endforeach()

# One bulk send against the stand-in's delayed calls, serial and on the workers (bench/wine/bulksend-bench.sh).
add_executable(bulksend_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/wine/BulkSendBench.cpp)
set_target_properties(bulksend_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TEST_BIN_DIR}) # beside the stand-in
target_link_libraries(bulksend_bench PRIVATE varnel_net)
target_link_options(bulksend_bench PRIVATE ${STATIC_RUNTIME})
add_dependencies(bulksend_bench netapi32_standin)

# How fast the direct delivery ends against loopback stand-ins for a Windows desk and a Samba receiver.
add_executable(road_order_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/wine/RoadOrderBench.cpp)
target_link_libraries(road_order_bench PRIVATE varnel_net)
target_link_options(road_order_bench PRIVATE ${STATIC_RUNTIME})
