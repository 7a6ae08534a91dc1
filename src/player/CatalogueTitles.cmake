# cmake -DINPUT=<titles.txt> -DOUTPUT=<source> -P CatalogueTitles.cmake
# Writes the C++ source of CatalogueTitles() from the catalogue's title list, one title a line.
file(STRINGS "${INPUT}" titles ENCODING UTF-8)
list(LENGTH titles count)
if(NOT count EQUAL 120)
  message(FATAL_ERROR "${INPUT} holds ${count} titles, not 120")
endif()
set(rows "")
foreach(title IN LISTS titles)
  string(REPLACE "\\" "\\\\" title "${title}")
  string(REPLACE "\"" "\\\"" title "${title}")
  string(APPEND rows "      u\"${title}\",\n")
endforeach()
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}.
#include \"player/CatalogueTitles.h\"

std::vector<std::u16string> CatalogueTitles() {
  return {
${rows}  };
}
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
