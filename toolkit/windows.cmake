# The window toolkit: its decisions in toolkit_core, the Win32 calls that apply them in toolkit.
target_sources(toolkit_core PRIVATE control_kinds.cpp centring.cpp number_reader.cpp)
if(WIN32)
    target_sources(toolkit PRIVATE window_object.cpp controls.cpp geometry.cpp message_loop.cpp)
endif()
