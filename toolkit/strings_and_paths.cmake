# The path rules are pure. DynamicWideString is pure but for its narrow step: the ANSI code page
# under Windows, byte for byte natively, so under Windows it lives with that step in toolkit.
target_sources(toolkit_core PRIVATE paths_rules.cpp)
if(WIN32)
    target_sources(toolkit PRIVATE
        wide_string.cpp wide_string_ansi.cpp text_conversion.cpp paths.cpp)
else()
    target_sources(toolkit_core PRIVATE wide_string.cpp wide_string_latin1.cpp)
endif()
