# Helpers that give every target of the project the same build settings.

# GCC 12 reports false "maybe uninitialized" warnings for std::variant holding Qt types once
# optimised inlining is on (the Variant class); the check stays on for unoptimised builds.
set(AMB_WARNINGS -Wall -Wextra -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<NOT:$<CONFIG:Debug>>>:-Wno-maybe-uninitialized>)

function(amb_settings target)
    target_compile_options(${target} PRIVATE ${AMB_WARNINGS})
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS QT_USE_QSTRINGBUILDER AMB_VERSION="${PROJECT_VERSION}")
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}>)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/../lib/ambrel")
    else()
        set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
    endif()
endfunction()

# The installed layout mirrors the build tree: programs in bin/, every shared library in lib/ambrel/
# (found through $ORIGIN run paths, so the prefix can be anywhere), resources in share/ambrel/.
set(AMB_INSTALL_BIN_DIR bin)
set(AMB_INSTALL_LIB_DIR lib/ambrel)
set(AMB_INSTALL_SHARE_DIR share/ambrel)

function(amb_install target)
    install(TARGETS ${target} RUNTIME DESTINATION ${AMB_INSTALL_BIN_DIR} LIBRARY DESTINATION ${AMB_INSTALL_LIB_DIR})
    set_property(GLOBAL APPEND PROPERTY AMB_INSTALLED_TARGETS ${target})
endfunction()

# A program of the installation (installed into bin/).
function(amb_executable target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    amb_settings(${target})
    target_link_libraries(${target} PRIVATE ${ARG_LINK})
    amb_install(${target})
endfunction()

# An ordinary shared library (contract and platform libraries).
function(amb_library target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
    add_library(${target} SHARED ${ARG_SOURCES})
    amb_settings(${target})
    target_link_libraries(${target} PUBLIC ${ARG_LINK})
    amb_install(${target})
endfunction()

# A static helper library compiled into the deliverables that use it.
function(amb_static_library target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
    add_library(${target} STATIC ${ARG_SOURCES})
    amb_settings(${target})
    target_link_libraries(${target} PUBLIC ${ARG_LINK})
endfunction()

# A component library: hidden visibility; only its C entry points are exported.
function(amb_component target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINK" ${ARGN})
    add_library(${target} SHARED ${ARG_SOURCES})
    amb_settings(${target})
    set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    target_link_libraries(${target} PRIVATE ${ARG_LINK})
    set_property(GLOBAL APPEND PROPERTY AMB_COMPONENTS ${target})
    amb_install(${target})
endfunction()

# A GoogleTest executable run headless through CTest.
function(amb_test target)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LINK" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 60)
    endif()
    add_executable(${target} ${ARG_SOURCES})
    amb_settings(${target})
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin)
    target_link_libraries(${target} PRIVATE AmbTestSupport ${ARG_LINK})
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 30
        PROPERTIES TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen;AMB_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
