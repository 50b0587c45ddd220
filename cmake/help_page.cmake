# Writes an instructions page of another language: its source stands in for the style block with
# <style data-from="Varnook.htm"></style>, and the page gets the English page's block there, so that
# every page looks the same, keeps its style in one place and still opens on its own.
# Usage: cmake -DENGLISH=Varnook.htm -DSOURCE=Varnook-fr.htm -DOUTPUT=out/Varnook-fr.htm -P help_page.cmake
file(READ ${ENGLISH} english)
string(FIND "${english}" "<style>" first)
string(FIND "${english}" "</style>" last)
if(first EQUAL -1 OR last EQUAL -1)
  message(FATAL_ERROR "${ENGLISH} has no <style> block")
endif()
math(EXPR length "${last} + 8 - ${first}")
string(SUBSTRING "${english}" ${first} ${length} style)

file(READ ${SOURCE} page)
set(marker "<style data-from=\"Varnook.htm\"></style>")
string(FIND "${page}" "${marker}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${SOURCE} has no ${marker}")
endif()
string(REPLACE "${marker}" "${style}" page "${page}")
file(WRITE ${OUTPUT}.part "${page}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
