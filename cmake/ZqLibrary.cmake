# One static library per folder, made of every source in it, so adding a file needs no edit here.
# zq_library(NAME <target> QT <Qt modules...> DEPS <targets...>)
function(zq_library)
    cmake_parse_arguments(ARG "" "NAME" "QT;DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    add_library(${ARG_NAME} STATIC ${sources})
    set(qt_targets)
    foreach(module ${ARG_QT})
        list(APPEND qt_targets Qt5::${module})
    endforeach()
    target_link_libraries(${ARG_NAME} PUBLIC ${qt_targets} ${ARG_DEPS})
endfunction()
