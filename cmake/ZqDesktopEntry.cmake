# Writes the desktop entry at install time (included from an install(CODE) rule), with the
# launcher's absolute path in Exec. Inputs: zq_launcher, zq_desktop_in, zq_desktop.
#
# Exec is a command line: the path is quoted so that a prefix with spaces stays one argument.
# Inside the quotes ", `, $ and \ take a backslash, and as the entry's values are escaped once more
# on top, a backslash is written twice; a % is doubled, or it would start a field code.
set(zq_exec "${zq_launcher}")
string(REPLACE "\\" "\\\\\\\\" zq_exec "${zq_exec}")
string(REPLACE "\"" "\\\\\"" zq_exec "${zq_exec}")
string(REPLACE "`" "\\\\`" zq_exec "${zq_exec}")
string(REPLACE "$" "\\\\$" zq_exec "${zq_exec}")
string(REPLACE "%" "%%" zq_exec "${zq_exec}")
set(ZQ_MENU_EXEC "\"${zq_exec}\"")
configure_file("${zq_desktop_in}" "${zq_desktop}" @ONLY)
