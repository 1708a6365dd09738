# cmake -DEXE=... -DDLL=... -DOBJDUMP=... -DVERSION=... -P check_executable.cmake
# Checks what a built MarlwickIII.exe carries: its load-time import of DLGMSGBOX from
# DlgMsgBox.dll, its embedded manifest and its version information, and its size; and that
# DlgMsgBox.dll exports exactly the one undecorated name DLGMSGBOX.
# A utility kept open beside the IDE, downloaded as one small zip.
set(largest_exe 262144)
file(SIZE ${EXE} exe_size)
if(exe_size GREATER_EQUAL largest_exe)
    message(FATAL_ERROR "${EXE} is ${exe_size} bytes, not under ${largest_exe}")
endif()
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

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE table RESULT_VARIABLE rc)
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" exports "${table}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${exports}")
string(REGEX REPLACE "\\[ *[0-9]+\\] ([^;]+)" "\\1" names "${rows}")
if(NOT rc EQUAL 0 OR NOT names STREQUAL "DLGMSGBOX")
    message(FATAL_ERROR "${DLL} exports [${names}], expected exactly [DLGMSGBOX]")
endif()
message(STATUS "${EXE} (${exe_size} bytes): imports DLGMSGBOX, carries its manifest and version ${VERSION}; "
               "${DLL} exports DLGMSGBOX alone")
