# The program's layers, bottom to top, and the layers each one may use. This table is the one
# place where the walls are written down: the build refuses a library that links a layer it may
# not use, and the layer check (tests) refuses a file that includes a header of such a layer.
#
# Each layer is one library, krel_<layer>, built from src/<layer>/. Its headers live under
# src/<layer>/include/<layer>/, so it exposes its own headers and nothing else.

# Plain C++: no Qt header may appear in these.
set(KREL_QT_FREE_LAYERS common encyclopedia archive exchange settings cli)

set(KREL_LAYER_USES_common)
set(KREL_LAYER_USES_encyclopedia common)
set(KREL_LAYER_USES_archive common)
set(KREL_LAYER_USES_exchange common encyclopedia archive)
set(KREL_LAYER_USES_settings common)
set(KREL_LAYER_USES_cli common encyclopedia archive exchange)
set(KREL_LAYER_USES_skin)
set(KREL_LAYER_USES_kit common skin)
set(KREL_LAYER_USES_dialogs common encyclopedia archive settings skin kit)
set(KREL_LAYER_USES_editor common encyclopedia archive exchange settings skin kit dialogs)
set(KREL_LAYER_USES_frame common settings skin kit editor)
# The program's entry, src/main.cpp: builds the application and the frame.
set(KREL_LAYER_USES_main common skin kit frame)

set(KREL_LAYERS common encyclopedia archive exchange settings cli skin kit dialogs editor frame)

# Declares the library of a layer: krel_<layer> with its own include root, moc only where Qt is.
function(krel_layer_library layer)
    # The headers are sources too, so moc sees the classes declared in them.
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/include/${layer}/*.h)
    add_library(krel_${layer} STATIC ${ARGN} ${headers})
    target_include_directories(krel_${layer} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
    if(layer IN_LIST KREL_QT_FREE_LAYERS)
        set_target_properties(krel_${layer} PROPERTIES AUTOMOC OFF)
    else()
        set_target_properties(krel_${layer} PROPERTIES AUTOMOC ON)
    endif()
endfunction()

# Fails the configure when a layer's library links another layer it may not use.
function(krel_check_layer_links)
    foreach(layer IN LISTS KREL_LAYERS)
        if(NOT TARGET krel_${layer})
            continue()
        endif()
        get_target_property(linked krel_${layer} LINK_LIBRARIES)
        foreach(item IN LISTS linked)
            string(REGEX MATCH "^krel_([a-z]+)$" found "${item}")
            if(found AND NOT CMAKE_MATCH_1 IN_LIST KREL_LAYER_USES_${layer})
                message(FATAL_ERROR "krel_${layer} links krel_${CMAKE_MATCH_1}, which the layer "
                                    "table (cmake/Layers.cmake) does not allow")
            endif()
        endforeach()
    endforeach()
endfunction()
