# Patched JUCE modules, without touching the system's copy of JUCE.
#
# Debian's juce-modules-source stays the only source of JUCE. When patches/
# holds *.patch files, every module that one of them touches is copied from
# ${JUCE_MODULES_DIR} into the build tree and patched there; the other modules
# are linked in beside the copies, so that the build sees one consistent
# modules folder. Every JUCE target is then pointed at that folder, and
# JUCE_MODULES_DIR names it for the rest of the project.
#
# Patches are applied in the order of their file names, with `patch -p1` from
# the modules folder: their paths start with the module's name
# ("a/juce_audio_processors/..."). Changing, adding or removing a patch
# reconfigures and rebuilds the copies from scratch. patches/README.md says why
# each patch exists.

set(_juce_patch_dir "${CMAKE_CURRENT_SOURCE_DIR}/patches")
file(GLOB _juce_patches CONFIGURE_DEPENDS "${_juce_patch_dir}/*.patch")
list(SORT _juce_patches)

if(_juce_patches)
    find_program(JUCE_PATCH_PROGRAM patch REQUIRED)

    set(_juce_original_modules "${JUCE_MODULES_DIR}")
    set(_juce_patched_modules "${CMAKE_BINARY_DIR}/juce-modules")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_juce_patches})

    # The modules the patches touch, from their "+++ b/<module>/..." lines.
    set(_juce_touched_modules)
    set(_juce_fingerprint "${_juce_original_modules}")
    foreach(_patch IN LISTS _juce_patches)
        file(STRINGS "${_patch}" _targets REGEX "^\\+\\+\\+ ")
        foreach(_line IN LISTS _targets)
            if(_line MATCHES "^\\+\\+\\+ [^/]*/(juce_[A-Za-z0-9_]+)/")
                list(APPEND _juce_touched_modules "${CMAKE_MATCH_1}")
            else()
                message(FATAL_ERROR "${_patch}: '${_line}' does not name a file inside a JUCE module")
            endif()
        endforeach()
        file(SHA256 "${_patch}" _hash)
        string(APPEND _juce_fingerprint ";${_patch}=${_hash}")
    endforeach()
    list(REMOVE_DUPLICATES _juce_touched_modules)

    # Rebuild the folder only when the patches (or the JUCE they apply to) changed.
    set(_juce_stamp "${_juce_patched_modules}/.patches-applied")
    set(_juce_previous "")
    if(EXISTS "${_juce_stamp}")
        file(READ "${_juce_stamp}" _juce_previous)
    endif()

    if(NOT _juce_previous STREQUAL _juce_fingerprint)
        message(STATUS "JUCE: patching ${_juce_touched_modules} in ${_juce_patched_modules}")

        # A file that a patch no longer touches goes back to the system's copy,
        # which is older than the objects built from the patched one: make's
        # timestamps would keep those. Objects are rebuilt instead (the compiler
        # cache makes that cheap).
        if(EXISTS "${_juce_stamp}")
            file(GLOB_RECURSE _juce_stale_objects "${CMAKE_BINARY_DIR}/*.o")
            if(_juce_stale_objects)
                file(REMOVE ${_juce_stale_objects})
            endif()
        endif()

        file(REMOVE_RECURSE "${_juce_patched_modules}")
        file(MAKE_DIRECTORY "${_juce_patched_modules}")

        file(GLOB _entries RELATIVE "${_juce_original_modules}" "${_juce_original_modules}/*")
        foreach(_entry IN LISTS _entries)
            if(_entry IN_LIST _juce_touched_modules)
                file(COPY "${_juce_original_modules}/${_entry}" DESTINATION "${_juce_patched_modules}"
                     NO_SOURCE_PERMISSIONS)
            else()
                file(CREATE_LINK "${_juce_original_modules}/${_entry}" "${_juce_patched_modules}/${_entry}" SYMBOLIC)
            endif()
        endforeach()

        foreach(_module IN LISTS _juce_touched_modules)
            if(NOT IS_DIRECTORY "${_juce_patched_modules}/${_module}")
                message(FATAL_ERROR "JUCE: a patch touches '${_module}', which ${_juce_original_modules} does not have")
            endif()
        endforeach()

        foreach(_patch IN LISTS _juce_patches)
            execute_process(
                COMMAND "${JUCE_PATCH_PROGRAM}" -p1 --forward --batch --no-backup-if-mismatch -i "${_patch}"
                WORKING_DIRECTORY "${_juce_patched_modules}"
                RESULT_VARIABLE _result OUTPUT_VARIABLE _output ERROR_VARIABLE _output)
            if(NOT _result EQUAL 0)
                file(REMOVE_RECURSE "${_juce_patched_modules}")
                message(FATAL_ERROR "JUCE: ${_patch} does not apply to ${_juce_original_modules}:\n${_output}")
            endif()
        endforeach()

        file(WRITE "${_juce_stamp}" "${_juce_fingerprint}")
    endif()

    # Point every JUCE target at the folder. find_package(JUCE) created them in
    # this directory; the plugin-wrapper and helper targets are among them.
    get_property(_juce_targets DIRECTORY PROPERTY BUILDSYSTEM_TARGETS)
    set(_juce_path_properties
        INTERFACE_SOURCES INTERFACE_INCLUDE_DIRECTORIES INTERFACE_SYSTEM_INCLUDE_DIRECTORIES
        INTERFACE_JUCE_MODULE_SOURCES INTERFACE_JUCE_MODULE_HEADERS INTERFACE_JUCE_MODULE_PATH)
    foreach(_target IN LISTS _juce_targets)
        if(NOT _target MATCHES "^juce_")
            continue()
        endif()
        foreach(_property IN LISTS _juce_path_properties)
            get_target_property(_value ${_target} ${_property})
            if(_value)
                string(REPLACE "${_juce_original_modules}/" "${_juce_patched_modules}/" _value "${_value}")
                string(REGEX REPLACE "${_juce_original_modules}$" "${_juce_patched_modules}" _value "${_value}")
                string(REPLACE "${_juce_original_modules};" "${_juce_patched_modules};" _value "${_value}")
                set_target_properties(${_target} PROPERTIES ${_property} "${_value}")
            endif()
        endforeach()
    endforeach()

    set(JUCE_MODULES_DIR "${_juce_patched_modules}")
endif()
