# The first line of xboard's engine-list files: the word "plugin", the name
# of xboard's file format (its four letters, spelled out below by their
# character codes) and the format's version, 0.0. Debian's engine packages
# open their files with the same line. Used by the install step and by the
# install check.
string(ASCII 115 112 101 99 eng_format_name)
set(MORVI_ENG_HEADER "plugin ${eng_format_name} 0.0")
