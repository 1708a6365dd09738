# Checks the import and export tables of DLGMSGBOX with objdump.
#   cmake -DOBJDUMP=... -DPROGRAM=x.exe -DLIBRARY=DlgMsgBox.dll -P message_box_import_entry.cmake
# The test folder includes each of its .cmake files while configuring; this one acts only as a script.
if(NOT CMAKE_SCRIPT_MODE_FILE)
    return()
endif()
foreach(input OBJDUMP PROGRAM LIBRARY)
    if(NOT ${input})
        message(FATAL_ERROR "${input} is not set")
    endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE program_table RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "objdump could not read ${PROGRAM}")
endif()
# The import block of DlgMsgBox.dll runs from its "DLL Name" line to the next blank line.
string(REGEX MATCH "DLL Name: DlgMsgBox\\.dll\n[^\n]*\n([^\n]+\n)*" import_block "${program_table}")
if(NOT import_block)
    message(FATAL_ERROR "${PROGRAM} does not import DlgMsgBox.dll at load time")
endif()
# Rows read: address, hint, name.
string(REGEX MATCHALL "\t[0-9a-fA-F]+\t +[0-9]+ +[^\n]+" import_rows "${import_block}")
string(REGEX REPLACE "\t[0-9a-fA-F]+\t +[0-9]+ +([^;]+)" "\\1" imported_names "${import_rows}")
if(NOT imported_names STREQUAL "DLGMSGBOX")
    message(FATAL_ERROR "${PROGRAM} imports [${imported_names}] from DlgMsgBox.dll, expected [DLGMSGBOX]")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE library_table RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "objdump could not read ${LIBRARY}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)*" export_block "${library_table}")
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" export_rows "${export_block}")
string(REGEX REPLACE "\\[ *[0-9]+\\] ([^;]+)" "\\1" exported_names "${export_rows}")
if(NOT exported_names STREQUAL "DLGMSGBOX")
    message(FATAL_ERROR "${LIBRARY} exports [${exported_names}], expected exactly [DLGMSGBOX]")
endif()
message(STATUS "${PROGRAM} imports DLGMSGBOX from DlgMsgBox.dll; the library exports only DLGMSGBOX")
