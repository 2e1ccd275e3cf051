# Run by cmake --install: writes the desktop entry for the prefix being installed into.
# AMB_DESKTOP_TEMPLATE and AMB_DESKTOP_WORK are set by the install code before this script.

# Exec quoting of desktop entries: a path with reserved characters is put in double quotes, inside
# which ", `, $ and \ take a backslash; then, as in every string value, each backslash is doubled.
function(amb_desktop_exec path out)
    set(value "${path}")
    if(value MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
        string(REPLACE "\\" "\\\\" value "${value}")
        string(REPLACE "\"" "\\\"" value "${value}")
        string(REPLACE "`" "\\`" value "${value}")
        string(REPLACE "$" "\\$" value "${value}")
        set(value "\"${value}\"")
    endif()
    string(REPLACE "%" "%%" value "${value}")
    string(REPLACE "\\" "\\\\" value "${value}")
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

set(prefix "${CMAKE_INSTALL_PREFIX}")
amb_desktop_exec("${prefix}/bin/ambrel" AMB_EXEC)
set(AMB_ICON "${prefix}/share/icons/hicolor/scalable/apps/ambrel.svg")
string(REPLACE "\\" "\\\\" AMB_ICON "${AMB_ICON}")
# One work folder per prefix, so installations into several prefixes at once do not share a file.
string(MD5 work "$ENV{DESTDIR}${prefix}")
set(work "${AMB_DESKTOP_WORK}/${work}")
configure_file("${AMB_DESKTOP_TEMPLATE}" "${work}/ambrel.desktop" @ONLY)
file(INSTALL DESTINATION "${prefix}/share/applications" TYPE FILE FILES "${work}/ambrel.desktop")
