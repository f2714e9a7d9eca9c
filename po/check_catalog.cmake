# Collects the marked texts of every source file with xgettext and fails when
# the catalog PO lacks a translation of one of them (untranslated and fuzzy
# entries count as missing).
#   cmake -DSOURCES=<source folder> -DPO=<x.po> -DWORK=<folder> -DXGETTEXT=.. -DMSGCMP=.. -P check_catalog.cmake
# Every source file of the program, in any folder, new ones too; not the tests
# (their Japanese is what the game is expected to show) nor build folders.
file(GLOB_RECURSE files RELATIVE ${SOURCES} ${SOURCES}/*.cpp ${SOURCES}/*.h)
list(FILTER files EXCLUDE REGEX "^(build[^/]*|tests|\\.git)/")
list(SORT files)
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "no source files under ${SOURCES}")
endif()
file(MAKE_DIRECTORY ${WORK})
# tr_() marks a text; the window's menus give their Japanese captions to
# addMenu and addEntry, which show them through tr_().
execute_process(
  COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 --keyword=tr_ --keyword=addMenu:3
    --keyword=addEntry:3 --no-location -o ${WORK}/marked.pot ${files}
  WORKING_DIRECTORY ${SOURCES}
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "xgettext failed: ${errors}")
endif()
file(STRINGS ${WORK}/marked.pot ids REGEX "^msgid " ENCODING UTF-8)
list(LENGTH ids marked)
math(EXPR marked "${marked} - 1") # the header
if(marked LESS 100)
  message(FATAL_ERROR "xgettext found only ${marked} marked texts in ${count} files")
endif()
execute_process(COMMAND ${MSGCMP} ${PO} ${WORK}/marked.pot
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "texts marked in the sources without a translation in ${PO}:\n${errors}${out}")
endif()
message(STATUS "${marked} marked texts in ${count} files, all translated in ${PO}")
