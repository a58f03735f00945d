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

expect_output("18" fx "2x^2" 3)
expect_output("8" fx "(x+1)(x-1)" 3)
expect_output("U" fx "x/0" 1)
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
