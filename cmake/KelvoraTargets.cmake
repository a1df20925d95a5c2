# Shared compile settings for every target of the project.
add_library(kelvora_options INTERFACE)
target_compile_features(kelvora_options INTERFACE cxx_std_20)
target_compile_options(kelvora_options INTERFACE -Wall -Wextra -Wold-style-cast)
target_compile_definitions(kelvora_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT)
if(KELVORA_WERROR)
    target_compile_options(kelvora_options INTERFACE -Werror)
endif()
if(KELVORA_SANITIZE)
    target_compile_options(kelvora_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(kelvora_options INTERFACE -fsanitize=address,undefined)
endif()

# kelvora_add_library(name SOURCES... LIBS...)
function(kelvora_add_library name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${A_SOURCES})
    target_link_libraries(${name} PUBLIC kelvora_options ${A_LIBS})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# kelvora_add_test(name SOURCES... LIBS...): one GoogleTest executable run headless by ctest.
# tests/support provides a main() that creates a QApplication.
function(kelvora_add_test name)
    cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE kelvora_options ${A_LIBS} kelvora_test_main GTest::gtest)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;KELVORA_TEST_FAST_KDF=1"
        TIMEOUT 600)
endfunction()

# kelvora_also_on_server(test [FILE_ONLY pattern...]): runs a registered test a
# second time with its books on the private test server (tests/support/PgTestServer).
# FILE_ONLY names the GoogleTest cases that are about files themselves (damaged
# pages, file locks, restoring files, the engine's own triggers) and have no
# meaning on a server.
function(kelvora_also_on_server name)
    cmake_parse_arguments(A "" "" "FILE_ONLY" ${ARGN})
    set(args)
    if(A_FILE_ONLY)
        list(JOIN A_FILE_ONLY ":" excluded)
        set(args "--gtest_filter=-${excluded}")
    endif()
    add_test(NAME ${name}_on_server COMMAND ${name} ${args})
    set_tests_properties(${name}_on_server PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;KELVORA_TEST_FAST_KDF=1;KELVORA_TEST_ENGINE=postgresql"
        TIMEOUT 600 LABELS server)
endfunction()

# `cmake --build build --target format` applies .clang-format to the sources.
find_program(CLANG_FORMAT clang-format)
if(CLANG_FORMAT)
    file(GLOB_RECURSE KELVORA_FORMAT_FILES CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
         ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
         ${PROJECT_SOURCE_DIR}/bench/*.cpp ${PROJECT_SOURCE_DIR}/bench/*.h)
    add_custom_target(format COMMAND ${CLANG_FORMAT} -i ${KELVORA_FORMAT_FILES} COMMENT "clang-format")
endif()
