# One static library per folder, made of every source in it, so adding a file needs no edit here.
#
#   zq_library(NAME <target> QT <Qt modules...> DEPS <targets...> [PRIVATE_DEPS <targets...>])
#
# Sources include each other by folder ("link/frames.h", "config/ui/configtree.h"). A library sees
# only the headers of itself and of what it links: each one publishes its headers as small
# forwarding headers under build/include/<target>/<folder>/, and that directory is its public include
# path. So a core library that includes a window's header, or <QWidget> without linking Qt Widgets,
# fails to compile instead of passing review.
function(zq_library)
    cmake_parse_arguments(ARG "" "NAME" "QT;DEPS;PRIVATE_DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
    if(NOT UNIX)
        # Pseudo-terminals exist only on Unix; such sources end in _unix.cpp/_unix.h.
        list(FILTER sources EXCLUDE REGEX "_unix\\.(cpp|h)$")
    endif()
    add_library(${ARG_NAME} STATIC ${sources})
    zq_publish_headers(${ARG_NAME})
    set(qt_targets)
    foreach(module ${ARG_QT})
        list(APPEND qt_targets Qt5::${module})
    endforeach()
    target_link_libraries(${ARG_NAME} PUBLIC ${qt_targets} ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# Writes a forwarding header for every header of the current folder and makes their root the
# target's public include directory.
function(zq_publish_headers target)
    file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set(root ${CMAKE_BINARY_DIR}/include/${target})
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(published)
    foreach(header ${headers})
        get_filename_component(name ${header} NAME)
        # Written only when changed, so that configuring again rebuilds nothing.
        file(CONFIGURE OUTPUT ${root}/${folder}/${name} CONTENT "#include \"${header}\"\n")
        list(APPEND published ${root}/${folder}/${name})
    endforeach()
    # A header deleted or moved since the last run must not stay reachable.
    file(GLOB_RECURSE stale ${root}/*.h)
    if(published)
        list(REMOVE_ITEM stale ${published})
    endif()
    if(stale)
        file(REMOVE ${stale})
    endif()
    target_include_directories(${target} PUBLIC ${root})
endfunction()
