# Makes the game's table of line-break classes from the Unicode data (Debian's unicode-data):
#
#   cmake -DLINE_BREAK=LineBreak.txt -DDERIVED_AGE=DerivedAge.txt -DOUT=line_break_classes.inc
#         -P line_break_classes.cmake
#
# The message log breaks its rows the way it always has, by the classes of Unicode 6.2 as a
# Japanese text resolves them. Newer data is read and brought back to that:
# - a character Unicode added after 6.2 counts as unassigned (see the last point);
# - the classes that did not exist then (ZWJ, EB, EM, and AK, AP, AS, VF, VI of 15.1) become the
#   ones their characters had;
# - the ambiguous and the conditional Japanese starters break like ideographs, the complex
#   scripts, surrogates and unknown characters like letters;
# - the characters whose class changed since 6.2 keep their old one (kOldClasses);
# - code points unassigned in 6.2 take the class on both sides of them when it is the same one
#   (the table the game first broke its rows by held ranges that ran over such gaps), the class
#   of ideographs in the blocks of ideographs, and are unknown (letters) elsewhere.
# The output is one `{first code point, class},` per line, sorted: each class holds up to the next
# line's first code point.
cmake_minimum_required(VERSION 3.20)

foreach(input LINE_BREAK DERIVED_AGE OUT)
  if(NOT DEFINED ${input})
    message(FATAL_ERROR "line_break_classes.cmake needs -D${input}=...")
  endif()
endforeach()
set(kDataVersion 6.2)

# The characters whose class Unicode changed after 6.2, with the class they had: first, last, class.
set(kOldClasses
  1885 1886 AL  # Mongolian letters now marks
  1CF2 1CF3 CM  # Vedic signs now letters
  1DCD 1DCD CM  # combining marks now glue
  1DFC 1DFC CM
  2057 2057 AL  # quadruple prime
  22EF 22EF AL  # midline horizontal ellipsis
  2308 2308 AL  # ceilings and floors now brackets
  2309 2309 AL
  230A 230A AL
  230B 230B AL
  275F 2760 AL  # heavy comma quotation marks
  2764 2764 AL  # heavy black heart
  3000 3000 ID  # ideographic space
  3035 3035 ID  # vertical kana repeat mark lower half
  FD3E FD3E OP  # ornate parentheses, swapped since
  FD3F FD3F CL
  FF66 FF66 AL  # halfwidth katakana, now ideographs
  FF71 FF9D AL
  FFA0 FFDC AL  # halfwidth Hangul letters, now ideographs
  )
# Code points left unassigned in the blocks of ideographs break like ideographs.
set(kIdeographBlocks 3400 4DBF 4E00 9FFF F900 FAFF 20000 2FFFD 30000 3FFFD)

# hex -> decimal
function(from_hex out hex)
  math(EXPR value "0x${hex}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

# The ranges Unicode had assigned by the data version, as two lists of decimal first and last,
# sorted and merged.
file(STRINGS ${DERIVED_AGE} age_lines REGEX "^[0-9A-F]+(\\.\\.[0-9A-F]+)? *; *[0-9]+\\.[0-9]+")
set(padded)
foreach(line IN LISTS age_lines)
  string(REGEX MATCH "^([0-9A-F]+)(\\.\\.([0-9A-F]+))? *; *([0-9]+\\.[0-9]+)" _ "${line}")
  if(NOT CMAKE_MATCH_4 VERSION_GREATER kDataVersion)
    set(last ${CMAKE_MATCH_3})
    if("${last}" STREQUAL "")
      set(last ${CMAKE_MATCH_1})
    endif()
    from_hex(f ${CMAKE_MATCH_1})
    from_hex(l ${last})
    # Zero-padded, so that sorting the text sorts the numbers.
    string(LENGTH "${f}" n)
    math(EXPR pad "8 - ${n}")
    string(REPEAT "0" ${pad} zeros)
    list(APPEND padded "${zeros}${f}:${l}")
  endif()
endforeach()
list(SORT padded)
set(old_first)
set(old_last)
set(previous_last -2)
foreach(pair IN LISTS padded)
  string(REPLACE ":" ";" fl "${pair}")
  list(GET fl 0 f)
  list(GET fl 1 l)
  math(EXPR f "${f}") # drops the padding
  math(EXPR joined "${previous_last} + 1")
  if(f EQUAL joined)
    list(POP_BACK old_last)
  else()
    list(APPEND old_first ${f})
  endif()
  list(APPEND old_last ${l})
  set(previous_last ${l})
endforeach()
list(LENGTH old_first old_count)

# The class a Japanese text gives a character of a data class.
function(resolve out class)
  if(class MATCHES "^(AI|CJ)$")
    set(class ID)
  elseif(class MATCHES "^(SA|SG|XX)$")
    set(class AL)
  endif()
  set(${out} ${class} PARENT_SCOPE)
endfunction()

# The class of 6.2 that a class made later stands for.
function(class_then out class)
  if(class STREQUAL "ZWJ")
    set(class CM)
  elseif(class STREQUAL "EB")
    set(class ID)
  elseif(class MATCHES "^(EM|AK|AP|AS)$")
    set(class AL)
  elseif(class MATCHES "^(VF|VI)$")
    set(class CM) # the viramas of Unicode 15.1
  endif()
  set(${out} ${class} PARENT_SCOPE)
endfunction()

# Appends one range to the output, merged with the one before when the class is the same.
set(lines)
set(last_class "")
set(next_free 0)
macro(emit first last class)
  if(NOT "${class}" STREQUAL last_class)
    math(EXPR hex "${first}" OUTPUT_FORMAT HEXADECIMAL)
    string(TOLOWER "${class}" lower)
    list(APPEND lines "{${hex}, C::${lower}},")
    set(last_class ${class})
  endif()
  math(EXPR next_free "${last} + 1")
endmacro()

# Places one range of a data class, after the gap between it and the range before.
set(last_raw "")
macro(place first last raw)
  while(${first} GREATER next_free)
    # The gap, up to the next block of ideographs or into it.
    math(EXPR gap_last "${first} - 1")
    set(gap_class "")
    set(next_raw ${raw})
    list(LENGTH kIdeographBlocks nb)
    math(EXPR nb "${nb} - 1")
    foreach(i RANGE 0 ${nb} 2)
      math(EXPR j "${i} + 1")
      list(GET kIdeographBlocks ${i} bf)
      list(GET kIdeographBlocks ${j} bl)
      from_hex(bf ${bf})
      from_hex(bl ${bl})
      if(next_free GREATER_EQUAL bf AND next_free LESS_EQUAL bl)
        set(gap_class ID)
        if(bl LESS gap_last)
          set(gap_last ${bl})
        endif()
        break()
      elseif(bf GREATER next_free AND bf LESS_EQUAL gap_last)
        math(EXPR gap_last "${bf} - 1")
        set(next_raw ID)
      endif()
    endforeach()
    if(gap_class STREQUAL "ID")
      set(last_raw ID)
    elseif("${next_raw}" STREQUAL last_raw)
      resolve(gap_class ${next_raw})
    else()
      set(gap_class AL)
    endif()
    emit(${next_free} ${gap_last} ${gap_class})
  endwhile()
  resolve(placed ${raw})
  if(NOT placed MATCHES "^(OP|CL|CP|QU|GL|NS|EX|SY|IS|PR|PO|NU|AL|HL|ID|IN|HY|BA|BB|B2|ZW|CM|WJ|H2|H3|JL|JV|JT|RI|BK|CR|LF|NL|SP|CB)$")
    message(FATAL_ERROR "${LINE_BREAK}: line-break class ${raw} is new to the game")
  endif()
  emit(${first} ${last} ${placed})
  set(last_raw ${raw})
endmacro()

# The old classes, as parallel lists of decimal first, last and class.
set(changed_first)
set(changed_last)
set(changed_class)
list(LENGTH kOldClasses n)
if(n GREATER 0)
  math(EXPR top "${n} - 1")
  foreach(i RANGE 0 ${top} 3)
    math(EXPR j "${i} + 1")
    math(EXPR k "${i} + 2")
    list(GET kOldClasses ${i} f)
    list(GET kOldClasses ${j} l)
    list(GET kOldClasses ${k} c)
    from_hex(f ${f})
    from_hex(l ${l})
    list(APPEND changed_first ${f})
    list(APPEND changed_last ${l})
    list(APPEND changed_class ${c})
  endforeach()
endif()
list(LENGTH changed_first changed_count)

# Places a range of old characters of one data class, piece by piece where an old class differs.
macro(place_with_old first last class)
  set(at ${first})
  while(at LESS_EQUAL ${last})
    set(at_last ${last})
    set(at_class ${class})
    if(changed_count GREATER 0)
      math(EXPR top "${changed_count} - 1")
      foreach(i RANGE 0 ${top})
        list(GET changed_first ${i} cf)
        list(GET changed_last ${i} cl)
        if(at GREATER_EQUAL cf AND at LESS_EQUAL cl)
          list(GET changed_class ${i} at_class)
          if(cl LESS at_last)
            set(at_last ${cl})
          endif()
          break()
        elseif(cf GREATER at)
          math(EXPR before "${cf} - 1")
          if(before LESS at_last)
            set(at_last ${before})
          endif()
        endif()
      endforeach()
    endif()
    class_then(at_class ${at_class})
    place(${at} ${at_last} ${at_class})
    math(EXPR at "${at_last} + 1")
  endwhile()
endmacro()

file(STRINGS ${LINE_BREAK} lb_lines REGEX "^[0-9A-F]+(\\.\\.[0-9A-F]+)? *;[A-Z0-9]+")
set(o 0) # the first range of old characters that may still come
foreach(line IN LISTS lb_lines)
  string(REGEX MATCH "^([0-9A-F]+)(\\.\\.([0-9A-F]+))? *;([A-Z0-9]+)" _ "${line}")
  set(class ${CMAKE_MATCH_4})
  set(last ${CMAKE_MATCH_3})
  if("${last}" STREQUAL "")
    set(last ${CMAKE_MATCH_1})
  endif()
  from_hex(first ${CMAKE_MATCH_1})
  from_hex(last ${last})
  # Only the old characters of the range count.
  set(pos ${first})
  while(pos LESS_EQUAL last AND o LESS old_count)
    list(GET old_last ${o} ol)
    if(ol LESS pos)
      math(EXPR o "${o} + 1")
      continue()
    endif()
    list(GET old_first ${o} of)
    if(of GREATER last)
      break()
    endif()
    if(of GREATER pos)
      set(pos ${of})
    endif()
    set(piece_last ${last})
    if(ol LESS piece_last)
      set(piece_last ${ol})
    endif()
    place_with_old(${pos} ${piece_last} ${class})
    math(EXPR pos "${piece_last} + 1")
  endwhile()
endforeach()
if(next_free LESS_EQUAL 1114111)
  emit(${next_free} 1114111 AL)
endif()

list(JOIN lines "\n" text)
set(text "// Made by cmake/line_break_classes.cmake from the Unicode data; do not edit.\n${text}\n")
file(WRITE ${OUT} "${text}")
