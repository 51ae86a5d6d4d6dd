# Finds Qwt 6.1 built for Qt 5 (Debian: libqwt-qt5-dev) and makes the imported target Qwt::Qwt.
# Debian installs the headers under include/qwt and the library as libqwt-qt5; a Qwt built from its
# own sources names the library qwt.
find_path(Qwt_INCLUDE_DIR qwt_plot.h PATH_SUFFIXES qwt qwt-qt5 qwt6)
find_library(Qwt_LIBRARY NAMES qwt-qt5 qwt)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Qwt REQUIRED_VARS Qwt_LIBRARY Qwt_INCLUDE_DIR)

if(Qwt_FOUND AND NOT TARGET Qwt::Qwt)
    add_library(Qwt::Qwt UNKNOWN IMPORTED)
    set_target_properties(Qwt::Qwt PROPERTIES
        IMPORTED_LOCATION ${Qwt_LIBRARY}
        INTERFACE_INCLUDE_DIRECTORIES ${Qwt_INCLUDE_DIR}
        INTERFACE_LINK_LIBRARIES Qt5::Widgets)
endif()
mark_as_advanced(Qwt_INCLUDE_DIR Qwt_LIBRARY)
