# The tool's version is written once, in project() of the top-level
# CMakeLists.txt. These generated files carry it to the exe's version
# resource and manifest and to the C++ code ("app/version_text.h");
# scripts/package names the zip after it.

if(NOT PROJECT_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "project() VERSION must be MAJOR.MINOR.PATCH, not '${PROJECT_VERSION}'")
endif()
foreach(part MAJOR MINOR PATCH)
    # Each number is one WORD of the version resource.
    if(PROJECT_VERSION_${part} GREATER 65535)
        message(FATAL_ERROR "project() VERSION: ${part} ${PROJECT_VERSION_${part}} is above 65535")
    endif()
endforeach()

configure_file(${CMAKE_SOURCE_DIR}/app/version_text.h.in
               ${CMAKE_BINARY_DIR}/generated/app/version_text.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/version_info.h.in
               ${CMAKE_BINARY_DIR}/generated/res/version_info.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/tarnwick.manifest.in
               ${CMAKE_BINARY_DIR}/generated/res/tarnwick.manifest @ONLY)
