# The Qt side: the editor widget, the main frame, the system clipboard and
# the host transport, and the vexlor-gui executable.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)
