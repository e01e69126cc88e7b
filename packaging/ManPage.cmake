# Writes a manual page from a program's --help and --version texts (run at build time with
# cmake -P; the programs answer both without a display).
#   -DEXE=program -DNAME=VornPrn -DSUMMARY="one line" -DOUT=file.1.gz [-DSUBCOMMANDS=ON]
# With SUBCOMMANDS, every command listed under "commands:" in the help gets its own section
# from `EXE COMMAND --help`.
cmake_minimum_required(VERSION 3.25)

function(run_help out)
  execute_process(COMMAND ${EXE} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${EXE} ${ARGN} failed (${rc})")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text shown as it is: backslashes and minus signs escaped, and every line led by a zero-width
# character, so that no line of the text reads as a request.
function(roff_literal out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE "\n" "\n\\&" text "${text}")
  set(${out} ".nf\n\\&${text}\n.fi\n" PARENT_SCOPE)
endfunction()

run_help(help --help)
run_help(version --version)
string(STRIP "${version}" version)
string(TOUPPER "${NAME}" title)
string(REPLACE "-" "\\-" summary "${SUMMARY}")
string(REPLACE "-" "\\-" name "${NAME}")
roff_literal(body "${help}")
string(CONCAT page ".TH ${title} 1 \"\" \"${version}\" \"User Commands\"\n"
       ".SH NAME\n${name} \\- ${summary}\n"
       ".SH DESCRIPTION\n${body}")
if(SUBCOMMANDS)
  string(REGEX MATCH "commands:\n(  [^\n]+\n)+" listed "${help}")
  string(REGEX MATCHALL "\n  [^ \n]+" commands "${listed}")
  string(APPEND page ".SH COMMANDS\n")
  foreach(command IN LISTS commands)
    string(STRIP "${command}" command)
    run_help(usage ${command} --help)
    roff_literal(text "${usage}")
    string(APPEND page ".SS ${command}\n${text}")
  endforeach()
endif()
get_filename_component(plain "${OUT}" NAME_WLE)
get_filename_component(dir "${OUT}" DIRECTORY)
file(WRITE "${dir}/${plain}" "${page}")
execute_process(COMMAND gzip -9nf "${dir}/${plain}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip of ${dir}/${plain} failed")
endif()
