# Installs the launcher (the desktop entry) with the program's installed path in its Exec line,
# which only the install knows: after `make install PREFIX=~/.local` it starts from a menu whose
# PATH lacks ~/.local/bin. Included by the install, with FOLIMO_DESKTOP_ENTRY (the entry as kept
# in the repository) and FOLIMO_BINDIR and FOLIMO_DATADIR (below the prefix).
set(program "${CMAKE_INSTALL_PREFIX}/${FOLIMO_BINDIR}/folimo")
# A path with a space or another character the Exec key reserves is quoted, and the characters
# still special inside quotes are escaped; a % is doubled anywhere. The entry's own string
# escapes come on top: every backslash is written twice.
string(REPLACE "%" "%%" program "${program}")
if(NOT program MATCHES "^[A-Za-z0-9/._+%-]+$")
    string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" program "${program}")
    set(program "\"${program}\"")
endif()
string(REPLACE "\\" "\\\\" program "${program}")

file(READ "${FOLIMO_DESKTOP_ENTRY}" entry)
string(REPLACE "\nExec=folimo " "\nExec=${program} " entry "${entry}")
set(path "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${FOLIMO_DATADIR}/applications/com.corvane.Folimo.desktop")
message(STATUS "Installing: ${path}")
file(WRITE "${path}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${path}")
