# Windows configuration: the program, its framework layer, and the Windows test programs.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static)

# Boost's header-only libraries: a folder holding only a link to the host's boost headers, since
# the rest of the host's /usr/include must stay out of a Windows build.
set(BOOST_INCLUDE ${CMAKE_BINARY_DIR}/boost-include)
file(MAKE_DIRECTORY ${BOOST_INCLUDE})
file(CREATE_LINK /usr/include/boost ${BOOST_INCLUDE}/boost SYMBOLIC)
target_include_directories(haltiqo_core SYSTEM PUBLIC ${BOOST_INCLUDE})

file(GLOB FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/framework/*.cpp)
list(REMOVE_ITEM FRAMEWORK_SOURCES ${CMAKE_SOURCE_DIR}/framework/AppMain.cpp)
add_library(framework STATIC ${FRAMEWORK_SOURCES})
target_include_directories(framework PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(framework PUBLIC comctl32 gdi32 advapi32)

# Everything of the program but its entry point, so the test programs can link it. Its objects
# go into each program whole: theApp is referenced only by the framework, and an archive would
# leave it out.
add_library(haltiqo_ui OBJECT
  app/HaltiqoApp.cpp app/HaltiqoDoc.cpp app/MainFrame.cpp
  view/HaltiqoView.cpp view/GridWindows.cpp view/CountControl.cpp view/SolveCommand.cpp
  view/BlockPaste.cpp view/FocusRecord.cpp view/BoxNotes.cpp view/SystemExport.cpp
  about/AboutDlg.cpp about/PictureControl.cpp about/MyBmpUrl.cpp about/MyTBmp.cpp
  about/DrawTransparent.cpp)
target_link_libraries(haltiqo_ui PUBLIC haltiqo_core framework)

set(HALTIQO_RC ${CMAKE_SOURCE_DIR}/res/Haltiqo.rc)
# The resource compiler gets the include directories of the target it builds for.
set(HALTIQO_RC_INCLUDES ${CMAKE_SOURCE_DIR}/res ${CMAKE_SOURCE_DIR}/framework)
set_source_files_properties(${HALTIQO_RC} PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/Haltiqo.ico;${CMAKE_SOURCE_DIR}/res/Haltiqo.manifest;${CMAKE_SOURCE_DIR}/res/link.bmp;${CMAKE_SOURCE_DIR}/res/title.bmp;${CMAKE_SOURCE_DIR}/framework/afxres.rc")

# The debug information goes to NAME.debug beside the program, linked by name for debuggers:
# left inside, Wine reads its megabytes into memory at every start.
function(split_debug_info target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
            $<TARGET_FILE:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()

add_executable(Haltiqo WIN32 framework/AppMain.cpp ${HALTIQO_RC})
split_debug_info(Haltiqo)
target_link_options(Haltiqo PRIVATE -municode)
target_include_directories(Haltiqo PRIVATE ${HALTIQO_RC_INCLUDES})
target_link_libraries(Haltiqo PRIVATE haltiqo_ui)

# GoogleTest, built by this compiler.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(core_tests_win ${CORE_TEST_SOURCES})
target_link_libraries(core_tests_win haltiqo_core gtest_main)
# GCC 12 takes boost::rational's inlined zero for uninitialised storage; the tests' exact
# references use it.
set(BOOST_RATIONAL_QUIET -Wno-maybe-uninitialized)
target_compile_options(core_tests_win PRIVATE ${BOOST_RATIONAL_QUIET})

file(GLOB UI_TEST_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/framework/*.cpp ${CMAKE_SOURCE_DIR}/tests/view/*.cpp
  ${CMAKE_SOURCE_DIR}/tests/app/*.cpp ${CMAKE_SOURCE_DIR}/tests/about/*Test.cpp
  ${CMAKE_SOURCE_DIR}/tests/ui/*.cpp)
if(UI_TEST_SOURCES)
  add_executable(ui_tests ${UI_TEST_SOURCES} ${HALTIQO_RC} tests/ui/ui_tests.rc)
  target_include_directories(ui_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${HALTIQO_RC_INCLUDES}
                             ${CMAKE_SOURCE_DIR}/tests/ui)
  add_dependencies(ui_tests url_recorder)
  target_link_libraries(ui_tests haltiqo_ui gtest shell32)
endif()

# The browser stand-in that the link tests register for web addresses.
add_executable(url_recorder tests/about/UrlRecorder.cpp)
target_link_options(url_recorder PRIVATE -municode)

file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
if(E2E_SOURCES)
  add_executable(e2e_tests ${E2E_SOURCES})
  target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(e2e_tests haltiqo_core gtest user32 gdi32 advapi32 psapi)
  target_compile_options(e2e_tests PRIVATE ${BOOST_RATIONAL_QUIET})
endif()

# Benchmarks, built on request (tools/bench.sh).
add_executable(grid_bench EXCLUDE_FROM_ALL bench/GridBench.cpp ${HALTIQO_RC})
target_include_directories(grid_bench PRIVATE ${HALTIQO_RC_INCLUDES})
target_link_libraries(grid_bench haltiqo_ui)
add_executable(minimal_window EXCLUDE_FROM_ALL WIN32 bench/MinimalWindow.cpp)
target_link_options(minimal_window PRIVATE -municode)
split_debug_info(minimal_window)
add_executable(startup_bench EXCLUDE_FROM_ALL bench/StartupBench.cpp)
target_link_options(startup_bench PRIVATE -municode)
target_include_directories(startup_bench PRIVATE ${CMAKE_SOURCE_DIR})
