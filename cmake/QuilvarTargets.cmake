# quilvar_library(<target> [QT] [DEPS <targets>...])
# One static library per source folder, made of every .cpp/.h in the folder (not recursive).
# A folder with no sources yet defines no target.
function(quilvar_library target)
    cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    if(NOT sources)
        return()
    endif()
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    if(ARG_QT)
        target_link_libraries(${target} PUBLIC Qt6::Widgets Qt6::PrintSupport)
    endif()
    foreach(dep IN LISTS ARG_DEPS)
        if(TARGET ${dep})
            target_link_libraries(${target} PUBLIC ${dep})
        endif()
    endforeach()
endfunction()

# quilvar_tests(<folder> DEPS <targets>...)
# Every tests/<folder>/tst_*.cpp is one QtTest program, registered with CTest and run on the
# offscreen platform with a fixed C locale so no test reads the machine's regional settings.
function(quilvar_tests folder)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/tst_*.cpp)
    file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/support_*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
    string(REPLACE "/" "_" prefix ${folder})
    foreach(test_source IN LISTS tests)
        get_filename_component(name ${test_source} NAME_WE)
        set(target ${prefix}_${name})
        add_executable(${target} ${test_source} ${support})
        target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}
                                   ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${target} PRIVATE Qt6::Test)
        foreach(dep IN LISTS ARG_DEPS)
            if(TARGET ${dep})
                target_link_libraries(${target} PRIVATE ${dep})
            endif()
        endforeach()
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8"
            TIMEOUT 300)
    endforeach()
endfunction()
