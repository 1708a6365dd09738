# cmake -DEXE=... -DOBJDUMP=... -P check_executable.cmake
# Checks what a built MarlwickIII.exe carries: its load-time import of DLGMSGBOX from
# DlgMsgBox.dll, its embedded manifest and its version information.
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump could not read ${EXE}")
endif()
string(REGEX MATCH "DLL Name: DlgMsgBox\\.dll[^\n]*\n([^D]|D[^L])*DLGMSGBOX" import "${headers}")
if(NOT import)
    message(FATAL_ERROR "${EXE} does not import DLGMSGBOX from DlgMsgBox.dll at load time")
endif()

file(STRINGS ${EXE} ascii)
string(JOIN "\n" ascii "${ascii}")
foreach(expected
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
        "level=\"asInvoker\"")
    string(FIND "${ascii}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the manifest embedded in ${EXE} lacks: ${expected}")
    endif()
endforeach()

file(STRINGS ${EXE} wide ENCODING UTF-16LE)
string(JOIN "\n" wide "${wide}")
foreach(expected "FileDescription" "Marlwick" "${VERSION}")
    string(FIND "${wide}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the version information of ${EXE} lacks: ${expected}")
    endif()
endforeach()
message(STATUS "${EXE}: imports DLGMSGBOX, carries its manifest and version ${VERSION}")
