# Writes the Qt help project (.qhp) of the manual: the contents from contents.txt, an index from
# every page's keywords and headed sections, and the list of every file the pages need.
#   cmake -DMANUAL_DIR=<copy of docs/manual> -DQHP=<output .qhp> -P gen_qhp.cmake
if(NOT MANUAL_DIR OR NOT QHP)
  message(FATAL_ERROR "gen_qhp.cmake needs MANUAL_DIR and QHP")
endif()

function(xml_escape in out)
  string(REPLACE "&" "&amp;" s "${in}")
  string(REPLACE "<" "&lt;" s "${s}")
  string(REPLACE ">" "&gt;" s "${s}")
  string(REPLACE "\"" "&quot;" s "${s}")
  set(${out} "${s}" PARENT_SCOPE)
endfunction()

# Contents: one line per entry, "level|file|title", level 1 at the top.
file(STRINGS "${MANUAL_DIR}/contents.txt" lines ENCODING UTF-8)
set(toc "")
set(depth 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  string(REPLACE "|" ";" parts "${line}")
  list(LENGTH parts n)
  if(NOT n EQUAL 3)
    message(FATAL_ERROR "contents.txt: malformed line '${line}'")
  endif()
  list(GET parts 0 level)
  list(GET parts 1 page)
  list(GET parts 2 title)
  if(NOT EXISTS "${MANUAL_DIR}/${page}")
    message(FATAL_ERROR "contents.txt names ${page}, which is not in the manual")
  endif()
  xml_escape("${title}" title)
  # Close the sections that end before this one.
  while(depth GREATER_EQUAL level)
    string(APPEND toc "</section>\n")
    math(EXPR depth "${depth} - 1")
  endwhile()
  string(APPEND toc "<section title=\"${title}\" ref=\"${page}\">\n")
  set(depth ${level})
endforeach()
while(depth GREATER 0)
  string(APPEND toc "</section>\n")
  math(EXPR depth "${depth} - 1")
endwhile()

# Index: the keywords of each page's <meta name="keywords">, then its headed sections.
file(GLOB pages RELATIVE "${MANUAL_DIR}" "${MANUAL_DIR}/*.html")
list(SORT pages)
set(keywords "")
foreach(page IN LISTS pages)
  file(READ "${MANUAL_DIR}/${page}" html ENCODING UTF-8)
  if(html MATCHES "<meta name=\"keywords\" content=\"([^\"]*)\"")
    string(REPLACE "," ";" words "${CMAKE_MATCH_1}")
    foreach(word IN LISTS words)
      string(STRIP "${word}" word)
      if(NOT word STREQUAL "")
        xml_escape("${word}" word)
        string(APPEND keywords "<keyword name=\"${word}\" ref=\"${page}\"/>\n")
      endif()
    endforeach()
  endif()
  string(REGEX MATCHALL "<h[23] id=\"[^\"]+\">[^<]+</h[23]>" heads "${html}")
  foreach(head IN LISTS heads)
    string(REGEX REPLACE "<h[23] id=\"([^\"]+)\">([^<]+)</h[23]>" "\\1" id "${head}")
    string(REGEX REPLACE "<h[23] id=\"([^\"]+)\">([^<]+)</h[23]>" "\\2" text "${head}")
    string(STRIP "${text}" text)
    xml_escape("${text}" text)
    string(APPEND keywords "<keyword name=\"${text}\" ref=\"${page}#${id}\"/>\n")
  endforeach()
endforeach()

file(GLOB all RELATIVE "${MANUAL_DIR}" "${MANUAL_DIR}/*.html" "${MANUAL_DIR}/*.css"
     "${MANUAL_DIR}/*.png" "${MANUAL_DIR}/*.svg")
list(SORT all)
set(files "")
foreach(f IN LISTS all)
  string(APPEND files "<file>${f}</file>\n")
endforeach()

file(WRITE "${QHP}" "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<QtHelpProject version=\"1.0\">
<namespace>org.tarsek.manual</namespace>
<virtualFolder>doc</virtualFolder>
<filterSection>
<toc>
${toc}</toc>
<keywords>
${keywords}</keywords>
<files>
${files}</files>
</filterSection>
</QtHelpProject>
")
