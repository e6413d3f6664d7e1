# The project's version history (resources/package/versions.txt), read at configure time into
#   TARNWICK_RELEASE_DATE       the date of the newest version, which must be the project's;
#   TARNWICK_APPSTREAM_RELEASES the <release> elements of the AppStream metainfo;
#   TARNWICK_DEBIAN_CHANGELOG   the same history as a Debian changelog, its entries signed by
#                               TARNWICK_PACKAGE_MAINTAINER.
set(VERSION_HISTORY ${CMAKE_SOURCE_DIR}/resources/package/versions.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VERSION_HISTORY})

# RFC 2822's day of the week for a YYYY-MM-DD date (Sakamoto's method).
function(tarnwick_rfc2822_date date out)
  string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" matched "${date}")
  if(NOT matched)
    message(FATAL_ERROR "versions.txt: '${date}' is not a date written YYYY-MM-DD")
  endif()
  math(EXPR year "${CMAKE_MATCH_1}")
  math(EXPR month "1${CMAKE_MATCH_2} - 100")
  math(EXPR day "1${CMAKE_MATCH_3} - 100")
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  if(month LESS 3)
    math(EXPR year "${year} - 1")
  endif()
  math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekdayName)
  list(GET months ${index} monthName)
  set(${out} "${weekdayName}, ${CMAKE_MATCH_3} ${monthName} ${CMAKE_MATCH_1} 12:00:00 +0000" PARENT_SCOPE)
endfunction()

# The XML text of an entry: &, < and > escaped.
function(tarnwick_xml_text text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Read as text and cut into lines by hand: a ";" in an entry would otherwise split it as a
# CMake list does; it is carried as "__semicolon__" until the texts are made.
file(READ ${VERSION_HISTORY} historyText)
string(REPLACE ";" "__semicolon__" historyText "${historyText}")
string(REPLACE "\n" ";" HISTORY_LINES "${historyText}")
set(TARNWICK_APPSTREAM_RELEASES "")
set(TARNWICK_DEBIAN_CHANGELOG "")
set(newestVersion "")
set(version "")
set(entries "")  # the current version's entries, separated by a line feed

# Closes the version being read: its changelog entry and its release element.
macro(tarnwick_close_version)
  if(version)
    tarnwick_rfc2822_date(${date} signedOn)
    string(APPEND TARNWICK_DEBIAN_CHANGELOG
           "tarnwick (${version}) unstable; urgency=medium\n\n")
    set(items "")
    string(REPLACE "\n" ";" entryList "${entries}")
    foreach(entry IN LISTS entryList)
      string(REPLACE "\t" "\n    " changelogEntry "${entry}")
      string(APPEND TARNWICK_DEBIAN_CHANGELOG "  * ${changelogEntry}\n")
      string(REPLACE "\t" " " oneLine "${entry}")
      tarnwick_xml_text("${oneLine}" oneLine)
      string(APPEND items "          <li>${oneLine}</li>\n")
    endforeach()
    string(APPEND TARNWICK_DEBIAN_CHANGELOG
           "\n -- ${TARNWICK_PACKAGE_MAINTAINER}  ${signedOn}\n\n")
    string(APPEND TARNWICK_APPSTREAM_RELEASES
           "    <release version=\"${version}\" date=\"${date}\">\n"
           "      <description>\n        <ul>\n${items}        </ul>\n      </description>\n"
           "    </release>\n")
  endif()
endmacro()

foreach(line IN LISTS HISTORY_LINES)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  elseif(line MATCHES "^([0-9]+\\.[0-9]+\\.[0-9]+) ([0-9-]+)$")
    tarnwick_close_version()
    set(version ${CMAKE_MATCH_1})
    set(date ${CMAKE_MATCH_2})
    set(entries "")
    if(NOT newestVersion)
      set(newestVersion ${version})
      set(TARNWICK_RELEASE_DATE ${date})
    endif()
  elseif(line MATCHES "^- (.+)$" AND version)
    if(entries)
      string(APPEND entries "\n")
    endif()
    string(APPEND entries "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^  (.+)$" AND entries)
    string(APPEND entries "\t${CMAKE_MATCH_1}")  # a continued entry: a tab marks the break
  else()
    message(FATAL_ERROR "versions.txt: a line that is no version, entry or continuation: ${line}")
  endif()
endforeach()
tarnwick_close_version()

string(REPLACE "__semicolon__" ";" TARNWICK_DEBIAN_CHANGELOG "${TARNWICK_DEBIAN_CHANGELOG}")
string(REPLACE "__semicolon__" ";" TARNWICK_APPSTREAM_RELEASES "${TARNWICK_APPSTREAM_RELEASES}")

if(NOT newestVersion STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "versions.txt begins with ${newestVersion}, but the project is version "
                      "${PROJECT_VERSION}: add the new version's entry at the top")
endif()
