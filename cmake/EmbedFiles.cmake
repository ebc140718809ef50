# SPDX-License-Identifier: AGPL-3.0-or-later
# Writes a C++ source that holds the given text files as string constants, so that the program
# can install its default files without finding its source tree at run time.
# Called in script mode: cmake -DOUTPUT=<file.cpp> -DDATA_DIR=<folder> -P EmbedFiles.cmake
# Optional: -DHEADER=<header declaring the function> -DFUNCTION=<its name> (by default the
# installation's default files, setup/default_files.h and EmbeddedDefaultFiles).
if(NOT HEADER)
  set(HEADER setup/default_files.h)
endif()
if(NOT FUNCTION)
  set(FUNCTION EmbeddedDefaultFiles)
endif()
file(GLOB FILES ${DATA_DIR}/*.txt)
set(content "// Generated from the files of data/; do not edit.\n#include \"${HEADER}\"\n\nnamespace quintaro {\n\nconst std::vector<EmbeddedFile>& ${FUNCTION}() {\n    static const std::vector<EmbeddedFile> files = {\n")
foreach(file ${FILES})
  get_filename_component(name ${file} NAME)
  file(READ ${file} text HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${text}")
  string(APPEND content "        {\"${name}\", std::string(\"${escaped}\", sizeof(\"${escaped}\") - 1)},\n")
endforeach()
string(APPEND content "    };\n    return files;\n}\n\n}  // namespace quintaro\n")
file(WRITE ${OUTPUT}.new "${content}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
