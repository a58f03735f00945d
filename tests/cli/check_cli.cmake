# Runs tallix-cli on examples and compares its output line by line.
# Each case: arguments (a ;-list), then the exact expected output.
function(expect_output expected)
    execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE out RESULT_VARIABLE rc
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT rc EQUAL 0)
        message(SEND_ERROR "tallix-cli ${ARGN}: exit status ${rc}")
    elseif(NOT out STREQUAL expected)
        message(SEND_ERROR "tallix-cli ${ARGN}: printed '${out}', expected '${expected}'")
    endif()
endfunction()

expect_output("6" eval "2(3)")
expect_output("512" eval "2^3^2")
expect_output("error: division by zero." eval "1/0")
expect_output("90" eval --deg "arcsin1")
expect_output("error: ARC not followed by Sin, Cos or Tan." eval "arc5")
expect_output("-2" eval "cbrt(-8)")

execute_process(COMMAND ${CLI} eval RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 2)
    message(SEND_ERROR "tallix-cli eval without a line: exit status ${rc}, expected 2")
endif()

# verify: exit 1 when a line fails, 2 when the file cannot be read.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/suite.txt "; a comment\n1+1=2\n2*3=7\n")
execute_process(COMMAND ${CLI} verify ${CMAKE_CURRENT_BINARY_DIR}/suite.txt
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 1 OR NOT out STREQUAL "3: 2*3=7\n   error: answer conflict: computed valued = 6\n1 passed, 1 failed\n")
    message(SEND_ERROR "verify: exit ${rc}, printed '${out}'")
endif()
execute_process(COMMAND ${CLI} verify ${CMAKE_CURRENT_BINARY_DIR}/no-such-suite.txt
                OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 2 OR NOT out STREQUAL "Unable to read specified test suite.\n")
    message(SEND_ERROR "verify of a missing file: exit ${rc}, printed '${out}'")
endif()
# A suite over 4 MB (sparse: no disk space) is refused before it is read.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/huge-suite.txt "1+1=2\n")
execute_process(COMMAND truncate -s 1G ${CMAKE_CURRENT_BINARY_DIR}/huge-suite.txt)
foreach(refused "${CMAKE_CURRENT_BINARY_DIR}/huge-suite.txt" "/dev/zero")
    execute_process(COMMAND ${CLI} verify ${refused} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
    if(refused STREQUAL "/dev/zero")
        set(expected "Unable to read specified test suite.\n")
    else()
        set(expected "Unable to read specified test suite: it is larger than 4 MB.\n")
    endif()
    if(NOT rc EQUAL 2 OR NOT out STREQUAL expected)
        message(SEND_ERROR "verify ${refused}: exit ${rc}, printed '${out}'")
    endif()
endforeach()
file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/huge-suite.txt)
# Result texts under the display settings.
expect_output("3 / 4" eval --frac "0.75")
expect_output(" pi / 2" eval --frac "pi/2")
expect_output("-1 pi" eval --frac "-pi")
expect_output("-6" eval --frac "-6")
expect_output("0.667" eval --roundn 3 "2/3")
expect_output("0.66666666666666666668" eval "2/3")
expect_output("6.6666666666666666668E-1" eval --sci "2/3")
expect_output("1.5E+0025" eval "1.5*10^25")
expect_output("3 / 2" eval --frac --no-pi --fracerr -4 "1.5")

foreach(bad "--roundn;21" "--roundn;x" "--fracerr;-3" "--fracerr" "--frac;--bogus")
    execute_process(COMMAND ${CLI} eval ${bad} "1" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 2)
        message(SEND_ERROR "tallix-cli eval ${bad}: exit status ${rc}, expected 2")
    endif()
endforeach()
expect_output("18" fx "2x^2" 3)
expect_output("8" fx "(x+1)(x-1)" 3)
expect_output("U" fx "x/0" 1)
# Undefined is no number: the old stand-in value is an ordinary one, and
# every operator passes U on.
expect_output("-123456789" fx "x+1" -123456790)
expect_output("U" fx "3nrt(ln x)" -1)
expect_output("1.2676506002282294015e+30" fx "(-2)^100" 0)
expect_output("U" fx "(-4)^(1/2)" 0)
expect_output("123456789" eval "abs(0-123456789)")
expect_output("error: result undefined." eval "70!")
# A "[" would upset CMake's list splitting in expect_output's ARGN.
execute_process(COMMAND ${CLI} fx "[x+1" 0 OUTPUT_VARIABLE out OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT out STREQUAL "error: unbalanced operands and operators.")
    message(SEND_ERROR "tallix-cli fx [x+1 0: printed '${out}'")
endif()
expect_output("1\n0" fx --deg "sin x" 90 180)
execute_process(COMMAND ${CLI} fx "x" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 2)
    message(SEND_ERROR "tallix-cli fx without an X: exit status ${rc}, expected 2")
endif()
# A line that starts like an option is still the line; "--" ends the options.
expect_output("3" eval "--3")
expect_output("3" eval -- "--3")
expect_output("0.6667" eval --roundn 4 -- "--2/3")
expect_output("3" fx "--x" 3)
expect_output("-3" fx -- "-x" 3)
execute_process(COMMAND ${CLI} eval -- "1" "2" RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 2)
    message(SEND_ERROR "tallix-cli eval -- 1 2: exit status ${rc}, expected 2")
endif()

# mat and matop over a catalog file.
set(mats ${CMAKE_CURRENT_BINARY_DIR}/tallixMats.Lst)
file(WRITE ${mats} "B,46000.5,46000.5,2,3,[1,2,3,4,5,6]\nA,46000.5,46000.5,2,2,[1,2,3,4]\n"
                   "P,46000.5,46000.5,1,2,[-PI,2PI/3]\nS,46000.5,46000.5,2,2,[1,2,2,4]\n"
                   "Z,46000.5,46000.5,1,2,[1/0,2]\n")
expect_output("2\t4\n6\t8" mat --catalog ${mats} "2A")
expect_output("1\t4\n2\t5\n3\t6" mat --catalog ${mats} "B^T")
expect_output("-2\t1\n3 / 2\t-1 / 2" mat --catalog ${mats} "A^-1")
expect_output("1\t0\n0\t1" mat --catalog ${mats} "A^0")
expect_output("-1 pi\t2 pi / 3" mat --catalog ${mats} "P")
expect_output("0.25" mat --catalog ${mats} "1/4")
expect_output("Mat - Mat size error:  [2x2] - [2x3]" mat --catalog ${mats} "A-B")
expect_output("Error: Mat^NNN, n must be positive integer." mat --catalog ${mats} "A^(0-2)")
expect_output("Zero denominator in cell (1,1) of matrix \"Z\": \"1/0\"." mat --catalog ${mats} "Z")
expect_output("RREF of matrix  \"S\" -\n1\t2\n0\t0" matop rref --catalog ${mats} S)
expect_output("Inverse of \"A\"\n-2\t1\n1.5\t-0.5" matop inv --no-rational --catalog ${mats} A)
expect_output("Inverse of \"S\"\nHas no Inverse." matop inv --catalog ${mats} S)
expect_output("DET for matrix \"A\"   =   -2" matop det --catalog ${mats} a)
expect_output("DET not possible - matrix not square" matop det --catalog ${mats} B)
expect_output("TRACE not possible - \"B\" not square." matop trace --catalog ${mats} B)
expect_output("TRACE of  \"A\"   =   5" matop trace --catalog ${mats} A)
# gj: the captions of the animation, from the first to "Done.".
expect_output("Click to Begin Gauss-Jordan Reduction Animation...
Click to Begin reducing column 1
Find largest value in column 1  ...  click
Largest value found in row 2...     click
Click to swap rows 2 and 1
Leading value not 1 - scale row by leading value...     click
Row Scaled...  Click
Click to begin sweeping zeros into column 1
Click to subtract  (1 * row 1)  from row 2
Zeros swept in, Click to begin column 2
Find largest value in column 2  ...  click
Largest value not 1 - scale row by leading value...     click
Row Scaled...  Click
Click to begin sweeping zeros into column 2
Click to subtract  (1.3333... * row 2)  from row 1
Leading zero produced...  click
Done." gj --catalog ${mats} a)
foreach(bad "mat;--catalog;${CMAKE_CURRENT_BINARY_DIR}/no-such.Lst;A" "mat;A" "matop;lu;--catalog;${mats};A"
            "matop;det;A" "gj;A")
    execute_process(COMMAND ${CLI} ${bad} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_QUIET)
    if(NOT rc EQUAL 2 OR NOT out STREQUAL "")
        message(SEND_ERROR "tallix-cli ${bad}: exit status ${rc}, printed '${out}', expected 2 and nothing")
    endif()
endforeach()

# trange: the T-value range window's texts after one button.
expect_output("+1\n+9" trange zoomin 0 10)
expect_output("-1.5\n+11.5" trange zoomout 0 10)
expect_output("-0.98\n+12.3456" trange "min<" 1.23456 12.3456)
expect_output("+1.23\n+12.3456" trange "min>" 0 12.3456)
expect_output("-10\n0" trange "shift<" -9 1)
expect_output("+2\n+20" trange "max>>" 2 11)
foreach(bad "zoom;0;10" "zoomin;0" "zoomin;a;10")
    execute_process(COMMAND ${CLI} trange ${bad} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 2)
        message(SEND_ERROR "tallix-cli trange ${bad}: exit status ${rc}, expected 2")
    endif()
endforeach()
# Factors and neighbouring primes, as the factorization window writes them.
expect_output("-1 2 2 3" factor "-12")
expect_output("1000003 1000033" factor "1000036000099")
expect_output("2305843009213693951" factor "2305843009213693951")
expect_output("2 2 2 3 3 5" factor " 360 ")
foreach(none "0" "1" "abc" "2.5" "18446744073709551616")
    expect_output("" factor "${none}")
endforeach()
# An empty argument would vanish from expect_output's ARGN.
execute_process(COMMAND ${CLI} factor "" OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "\n")
    message(SEND_ERROR "tallix-cli factor '': exit ${rc}, printed '${out}'")
endif()
expect_output("2" nextprime "-5")
expect_output("value error" nextprime "999983")
expect_output("999983" prevprime "1000000")
expect_output("2" prevprime "3")
expect_output("value error" prevprime "2")
expect_output("value error" nextprime "2.5")
execute_process(COMMAND ${CLI} factor RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 2)
    message(SEND_ERROR "tallix-cli factor without a text: exit status ${rc}, expected 2")
endif()

# The f(x) tools: one line per line of the window.
expect_output("1\n x = -1.4142135624\n y = 0\n x = 1.4142135624\n y = 0" analyze xcross -3 3 "x^2-2")
expect_output(" -  none found  -" analyze isect -2 2 "x^2+1" "0")
expect_output("1\n t = 17.3205080757\n x = 17.3205080757\n y = 0"
              analyze xcross --param --tmin 16.5 --tmax 19 0 100 "x" "x^2-300")
expect_output("1,0.707106781186548" evalat "PI/4" "sin x")
expect_output("1, pi / 2\n2,1" evalat --rational --pi "PI/2" "x" "1")
expect_output("invalid format for X value" evalat "1/0" "x")
expect_output("1,9\nm=6" evalat --slope 3 "x^2")
expect_output("0.5\n1 / 2" defint 0 1 "x")
expect_output("3" defint --type 2 0 3 "0")
expect_output("--  Invalid X value  --" defint "1/0" 1 "x")
execute_process(COMMAND ${CLI} defint -1 1 "1/x" OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "\n\n")
    message(SEND_ERROR "tallix-cli defint over a pole: exit ${rc}, printed '${out}'")
endif()
expect_output("0.26" xstep 0.25 small up)
expect_output("3/3" xstep 2/3 small up)
expect_output("2-3" xstep 2-3 small up)
# regr: the report lines as the list shows them, then the copy text.
set(evens ${CMAKE_CURRENT_BINARY_DIR}/evens.lst)
file(WRITE ${evens} "2\r\n4\r\n6\r\n")
set(zeros ${CMAKE_CURRENT_BINARY_DIR}/zeros.lst)
file(WRITE ${zeros} "0\r\n1\r\n2\r\n")
expect_output("--  Linear Fit  --\n \n    y = 2.00000000x + 0.00000000\n \n    r = 1.00000000     r^2 = 1.00000000\n \n \n4!      X                   Y                    Y(est)                Err\n4!1.00000000    2.00000000    2.00000000    0.00000000\n4!2.00000000    4.00000000    4.00000000    0.00000000\n4!3.00000000    6.00000000    6.00000000    0.00000000\ncopy: 2x+0"
              regr --method linear int1 ${evens})
expect_output("f(x) data not all positive - fit not possible.\ncopy:" regr --method exp ${evens} ${zeros})
set(empty ${CMAKE_CURRENT_BINARY_DIR}/empty.lst)
file(WRITE ${empty} "")
expect_output("Data item count mismatch -\n  ${evens}  -  3 items,\n  ${empty}  -  0 items.\ncopy:"
              regr --method quad ${evens} ${empty})
foreach(bad "regr;--method;cubic;int0;${evens}" "regr;int0;${evens}" "regr;--method;log;int0;${CMAKE_CURRENT_BINARY_DIR}/none.lst")
    execute_process(COMMAND ${CLI} ${bad} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
    if(NOT rc EQUAL 2)
        message(SEND_ERROR "tallix-cli ${bad}: exit status ${rc}, expected 2")
    endif()
endforeach()
