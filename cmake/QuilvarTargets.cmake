# quilvar_library(<target> [PURE] [QT <Qt components>...] [DEPS <targets>...] [SOURCES <files>...])
# One library per source folder, made of every .cpp/.h in the folder (not recursive) and the
# SOURCES given (os/ adds its system's subfolder); a folder of headers alone is an interface
# library. PURE libraries are plain C++: they link no Qt (checked
# by quilvar_check_rules). Dependencies are declared, never guessed: a misspelt or missing
# target fails the build.
function(quilvar_library target)
    cmake_parse_arguments(ARG "PURE" "" "QT;DEPS;SOURCES" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    list(APPEND sources ${ARG_SOURCES})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(sources)
        add_library(${target} STATIC ${sources} ${headers})
        set(scope PUBLIC)
    else()
        add_library(${target} INTERFACE ${headers})
        set(scope INTERFACE)
    endif()
    # Includes are qualified by folder ("calc/numbertext.h") from the top of the tree.
    target_include_directories(${target} ${scope} ${PROJECT_SOURCE_DIR})
    foreach(component IN LISTS ARG_QT)
        target_link_libraries(${target} ${scope} Qt6::${component})
    endforeach()
    target_link_libraries(${target} ${scope} ${ARG_DEPS})
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set_property(GLOBAL APPEND PROPERTY QUILVAR_LIBRARIES ${target})
    set_property(GLOBAL PROPERTY QUILVAR_FOLDER_${target} ${folder})
    if(ARG_PURE)
        if(ARG_QT)
            message(FATAL_ERROR "${target} is pure C++ and cannot use Qt")
        endif()
        quilvar_pure(${target})
    endif()
endfunction()

# quilvar_pure(<target>): the target is plain C++ (a pure library, the form tool, a fuzzer of pure
# code): it runs no Qt code generator and links no Qt, libjpeg or libcups, not even through
# another library (checked by quilvar_check_rules).
function(quilvar_pure target)
    set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
    set_property(GLOBAL APPEND PROPERTY QUILVAR_PURE_LIBRARIES ${target})
endfunction()

# quilvar_tests(<folder> DEPS <targets>...)
# Every tests/<folder>/tst_*.cpp is one QtTest program, registered with CTest and run on the
# offscreen platform (on Windows, on the Windows platform), on Linux with a fixed C locale.
function(quilvar_tests folder)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/tst_*.cpp)
    file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/support_*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
    string(REPLACE "/" "_" prefix ${folder})
    # A cross build's tests run under Wine with the French regional settings that
    # scripts/windows.sh gives it, as a user's would be, which no test may depend on.
    # QT_FORCE_STDERR_LOGGING: a Windows program with no console (a test run by ctest has none)
    # otherwise sends QtTest's report and Qt's messages to the debugger, not to ctest's log.
    set(test_environment QT_FORCE_STDERR_LOGGING=1)
    # On Windows the tests run on Qt's Windows platform, the program's own: there the offscreen
    # platform knows no font of the system's (it reads only Qt's lib/fonts), so no text would be
    # measured or drawn as the program draws it.
    if(NOT WIN32)
        list(APPEND test_environment QT_QPA_PLATFORM=offscreen)
    endif()
    if(NOT CMAKE_CROSSCOMPILING)
        list(APPEND test_environment LC_ALL=C.UTF-8 LANG=C.UTF-8)
    elseif(WIN32)
        # Wine keeps the host's QT_* variables from Windows programs and hands them WINEQT_* as
        # QT_* instead.
        foreach(variable IN LISTS test_environment)
            list(APPEND test_environment WINE${variable})
        endforeach()
    endif()
    foreach(test_source IN LISTS tests)
        get_filename_component(name ${test_source} NAME_WE)
        set(target ${prefix}_${name})
        add_executable(${target} ${test_source} ${support})
        target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}
                                   ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${target} PRIVATE Qt6::Test ${ARG_DEPS})
        # The test programs' own code is built without optimisation: it is not what ships, and
        # -O0 takes 40 % less processor a test than -O2 (3.6 s against 6.0 s, with the
        # precompiled header). The code under test keeps the build's level.
        target_compile_options(${target} PRIVATE -O0)
        quilvar_test_header(${target})
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES ENVIRONMENT "${test_environment}" TIMEOUT 300)
        # On Windows every window of every test stands on the one desktop, whose active window
        # the keys and the focus of a test follow: two programs showing windows at once take the
        # activation from each other (under Wine with -j2 the grid's editing test saw focus
        # changes it had not made). The programs with a QApplication take turns; the others run
        # alongside.
        file(STRINGS ${test_source} windowless REGEX "^QTEST_(GUILESS|APPLESS)_MAIN")
        if(WIN32 AND NOT windowless)
            set_tests_properties(${target} PROPERTIES RESOURCE_LOCK desktop)
        endif()
    endforeach()
endfunction()

# quilvar_test_header(<test target>): parsing Qt's headers was the larger share of each test's
# compile; <QtTest> (with <QtWidgets> or <QtGui>) is compiled once into a precompiled header that
# the other tests reuse. QtTest's headers read which Qt modules the test links (QT_GUI_LIB,
# QT_WIDGETS_LIB), so there is one header for tests of widgets and one for tests of Qt Core alone;
# -Winvalid-pch (an error with QUILVAR_WERROR) says so should a test ever meet a header made with
# other macros. The tests themselves include only the classes they use (<QTest>, not the whole
# <QtTest> module, which brings all of Qt Core): clang-tidy, which reads them without this header,
# spends a third less on a test.
function(quilvar_test_header target)
    quilvar_link_closure(${target} closure)
    if("Qt6::Widgets" IN_LIST closure)
        set(group widgets)
        set(headers <QtTest> <QtWidgets>)
    elseif("Qt6::Gui" IN_LIST closure)
        set(group gui)
        set(headers <QtTest> <QtGui>)
    else()
        set(group core)
        set(headers <QtTest>)
    endif()
    # A test includes its own moc output, so the file AUTOMOC compiles beside it is empty: reading
    # the 300 MB header into it cost 1.7 s a test.
    set_source_files_properties(
        ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
        TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    get_property(owner GLOBAL PROPERTY QUILVAR_TEST_HEADER_${group})
    if(owner)
        target_precompile_headers(${target} REUSE_FROM ${owner})
    else()
        target_precompile_headers(${target} PRIVATE ${headers})
        set_property(GLOBAL PROPERTY QUILVAR_TEST_HEADER_${group} ${target})
    endif()
endfunction()

# The libraries `target` links, directly or through others (our targets and imported ones).
function(quilvar_link_closure target out)
    set(seen)
    set(todo ${target})
    while(todo)
        list(POP_FRONT todo current)
        if(NOT TARGET ${current})
            continue()
        endif()
        get_target_property(type ${current} TYPE)
        set(links)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(links ${current} LINK_LIBRARIES)
        endif()
        get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
        foreach(link IN LISTS links interface)
            if(link AND NOT link MATCHES "-NOTFOUND$" AND NOT link IN_LIST seen)
                list(APPEND seen ${link})
                list(APPEND todo ${link})
            endif()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# The layering rules, checked at every configure:
# - a pure target links no Qt (nor libjpeg or libcups), not even through another library;
# - a library includes from its own folder and from the folders of the libraries it declares
#   (directly or through them) only, so that the dependencies written in CMake are the real ones.
function(quilvar_check_rules)
    get_property(libraries GLOBAL PROPERTY QUILVAR_LIBRARIES)
    get_property(pure GLOBAL PROPERTY QUILVAR_PURE_LIBRARIES)
    set(folders)
    foreach(library IN LISTS libraries)
        get_property(folder GLOBAL PROPERTY QUILVAR_FOLDER_${library})
        list(APPEND folders ${folder})
        set(target_of_${folder} ${library})
    endforeach()
    set(failures)
    foreach(library IN LISTS pure)
        quilvar_link_closure(${library} closure)
        foreach(link IN LISTS closure)
            if(link MATCHES "^(Qt6?|JPEG|Cups)::")
                list(APPEND failures "${library} is pure C++ but links ${link}")
            endif()
        endforeach()
    endforeach()
    foreach(library IN LISTS libraries)
        get_property(folder GLOBAL PROPERTY QUILVAR_FOLDER_${library})
        quilvar_link_closure(${library} closure)
        file(GLOB files ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
        foreach(file IN LISTS files)
            file(STRINGS ${file} includes REGEX "^#include \"[^\"]+/[^\"/]+\"")
            foreach(include IN LISTS includes)
                string(REGEX REPLACE "^#include \"(.+)/[^\"/]+\".*$" "\\1" from "${include}")
                if(from STREQUAL folder OR NOT from IN_LIST folders)
                    continue()
                endif()
                if(NOT target_of_${from} IN_LIST closure)
                    file(RELATIVE_PATH name ${PROJECT_SOURCE_DIR} ${file})
                    list(APPEND failures
                         "${name} includes from ${from}/ but ${library} does not link ${target_of_${from}}")
                endif()
            endforeach()
        endforeach()
    endforeach()
    if(failures)
        list(JOIN failures "\n  " text)
        message(FATAL_ERROR "Layering rules broken:\n  ${text}")
    endif()
endfunction()
