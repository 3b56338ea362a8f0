# cmake -DBUILD_DIR=... -DCONFIG=... -DALLOWED=target=header|... -DFORBIDDEN=... -P BuildProbes.cmake
# Builds every probe: the allowed ones must build, the forbidden ones must fail because
# their header is not found (and for no other reason).
function(build_probe target)
    execute_process(
        COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --config "${CONFIG}" --target ${target}
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(result ${result} PARENT_SCOPE)
    set(output "${output}" PARENT_SCOPE)
endfunction()

string(REPLACE "|" ";" ALLOWED "${ALLOWED}")
string(REPLACE "|" ";" FORBIDDEN "${FORBIDDEN}")
foreach(probe IN LISTS ALLOWED)
    string(REPLACE "=" ";" parts "${probe}")
    list(GET parts 0 target)
    list(GET parts 1 header)
    build_probe(${target})
    if(NOT result EQUAL 0)
        message(SEND_ERROR "${target}: \"${header}\" should build and does not:\n${output}")
    else()
        message(STATUS "${target}: \"${header}\" builds")
    endif()
endforeach()
foreach(probe IN LISTS FORBIDDEN)
    string(REPLACE "=" ";" parts "${probe}")
    list(GET parts 0 target)
    list(GET parts 1 header)
    build_probe(${target})
    string(REPLACE "." "\\." header_pattern "${header}")
    if(result EQUAL 0)
        message(SEND_ERROR "${target}: \"${header}\" builds, but lies above or beside its layers")
    elseif(NOT output MATCHES "${header_pattern}.*(No such file|not found|Cannot open)"
           AND NOT output MATCHES "(No such file|not found|Cannot open).*${header_pattern}")
        message(SEND_ERROR "${target}: failed for another reason than a missing \"${header}\":\n${output}")
    else()
        message(STATUS "${target}: \"${header}\" is out of reach")
    endif()
endforeach()
