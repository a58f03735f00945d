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
