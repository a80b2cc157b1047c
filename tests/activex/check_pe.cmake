# Checks Ruvo.ocx as a file, without running it: its format, the five exports at ordinals 1 to 5,
# the system DLLs it needs, its resources and its version strings.
#   cmake -DOBJDUMP=... -DSTRINGS=... -DFILE=Ruvo.ocx -DFORMAT=pei-i386 -P check_pe.cmake
execute_process(COMMAND ${OBJDUMP} -p ${FILE} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
execute_process(COMMAND ${OBJDUMP} -f ${FILE} OUTPUT_VARIABLE file_header)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${FILE}")
endif()
set(failures "")
function(expect pattern text what)
    if(NOT "${text}" MATCHES "${pattern}")
        set(failures ${failures} "${what}" PARENT_SCOPE)
    endif()
endfunction()

expect("file format ${FORMAT}" "${file_header}" "the file format is not ${FORMAT}")
expect("\n\tDLL\n" "${headers}" "the file is not a DLL")
expect("Subsystem[ \t]+00000002" "${headers}" "the subsystem is not the graphical one")
expect("Ordinal Base[ \t]+1" "${headers}" "exports do not start at ordinal 1")
set(ordinal 0)
foreach(export DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer DllInstall)
    expect("\\[ +${ordinal}\\] ${export}\n" "${headers}" "${export} is not export ${ordinal} (ordinal ${ordinal}+1)")
    math(EXPR ordinal "${ordinal} + 1")
endforeach()
string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${headers}")
foreach(dll ${dlls})
    string(REPLACE "DLL Name: " "" dll "${dll}")
    string(TOUPPER "${dll}" dll)
    if(NOT dll MATCHES "^(ADVAPI32|GDI32|KERNEL32|MSVCRT|OLE32|OLEAUT32|USER32)\\.DLL$")
        list(APPEND failures "needs ${dll}, which is no system DLL")
    endif()
endforeach()

# The resource directory: TYPELIB 1, the two interface identifiers of 20 bytes each, bitmap 30000
# (type 2) and the version resource (type 16).
expect("name: [^\n]*TYPELIB[^\n]*\n[^\n]*\n[^\n]*Entry: ID: 0x000001" "${headers}" "no TYPELIB 1")
expect("_IID_MORAVINE[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*Size: 0x000014" "${headers}" "no _IID_MORAVINE of 20 bytes")
expect("_SRCIID_MORAVINE[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*Size: 0x000014" "${headers}" "no _SRCIID_MORAVINE of 20 bytes")
expect("Entry: ID: 0x000002[^\n]*\n[^\n]*\n[^\n]*Entry: ID: 0x007530" "${headers}" "no bitmap 30000")
expect("Entry: ID: 0x000010" "${headers}" "no version resource")

# A shipped file is stripped: no symbol table, no debugging sections.
execute_process(COMMAND ${OBJDUMP} -h ${FILE} OUTPUT_VARIABLE sections)
if(sections MATCHES "\.debug_")
    list(APPEND failures "it carries debugging sections")
endif()
execute_process(COMMAND ${OBJDUMP} -t ${FILE} OUTPUT_VARIABLE symbols)
expect("no symbols" "${symbols}" "it carries a symbol table")

execute_process(COMMAND ${STRINGS} -el ${FILE} OUTPUT_VARIABLE texts)
foreach(text CompanyName FileVersion ProductVersion ProductName InternalName OriginalFilename
        OLESelfRegister "Ruvo.ocx" "040904B0")
    expect("${text}" "${texts}" "the version resource lacks ${text}")
endforeach()

if(failures)
    string(REPLACE ";" "\n  " failures "${failures}")
    message(FATAL_ERROR "${FILE}:\n  ${failures}")
endif()
file(SIZE ${FILE} size)
message(STATUS "${FILE}: ${FORMAT}, ${size} bytes, stripped; exports, resources and version as expected")
