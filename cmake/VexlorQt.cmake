# The Qt side: the editor widget, the main frame, the system clipboard and
# the host transport, the vexlor-gui executable, and the demo host.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Network Svg PrintSupport)
# Xlib's keyboard extension tells the lock keys' state on X11 displays.
find_package(X11)
include(GNUInstallDirs)

set(VEXLOR_PRODUCT_VERSION
    "${PROJECT_VERSION_MAJOR}, ${PROJECT_VERSION_MINOR}, ${PROJECT_VERSION_PATCH}, ${PROJECT_VERSION_TWEAK}")

file(GLOB VEXLOR_QT_SOURCES CONFIGURE_DEPENDS
  src/platform/qt/*.cpp src/editor/qt/*.cpp src/app/qt/*.cpp)
file(GLOB VEXLOR_QT_HEADERS CONFIGURE_DEPENDS
  src/platform/qt/*.h src/editor/qt/*.h src/app/qt/*.h)
add_library(vexlor_qt STATIC ${VEXLOR_QT_SOURCES} ${VEXLOR_QT_HEADERS})
set_target_properties(vexlor_qt PROPERTIES AUTOMOC ON)
target_link_libraries(vexlor_qt PUBLIC vexlor_core Qt6::Widgets Qt6::Network Qt6::Svg
                      Qt6::PrintSupport)
target_compile_definitions(vexlor_qt PUBLIC
  "VEXLOR_PRODUCT_VERSION=\"${VEXLOR_PRODUCT_VERSION}\"")
if(TARGET X11::X11 AND X11_Xkb_FOUND)
  target_link_libraries(vexlor_qt PRIVATE X11::X11)
  target_compile_definitions(vexlor_qt PRIVATE VEXLOR_HAVE_XKB)
endif()

add_executable(vexlor-gui src/gui_main.cpp)
target_link_libraries(vexlor-gui PRIVATE vexlor_qt)
vexlor_use_allocator(vexlor-gui)

# A host to try the editor's conversation with; built beside the editor.
add_subdirectory(tools/demo-host)
set_target_properties(vexlor-demo-host PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

install(TARGETS vexlor-gui vexlor-demo-host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(VEXLOR_TESTS)
  enable_testing()
  add_subdirectory(tests/qt)
  add_subdirectory(tests/host)
endif()
