# Program data generated at build time into the program folder's "Data/":
# "Functions.dat" from data/functions/functions.txt and the interface pictures.
add_executable(make_functions ${CMAKE_SOURCE_DIR}/data/gen/make_functions.cpp)
add_executable(make_pictures ${CMAKE_SOURCE_DIR}/data/gen/make_pictures.cpp)
target_link_libraries(make_pictures PRIVATE tkcodecs Qt6::Gui)
# Generators are host tools: the data file is written by them, not compiled with CP1252 text.
target_compile_options(make_functions PRIVATE -fexec-charset=UTF-8)
target_compile_options(make_pictures PRIVATE -fexec-charset=UTF-8)

set(CV_DATA_OUT ${PROGRAM_FOLDER}/Data)
set(CV_TOOL_PICTURES Lasso Viereckmarkieren KreisMark Vieleckmark Pipette Verzerren Wisch Text
    Sprühdose Freihand Pinsel Radiergummi Kreis Ellipse Viereck Raute Linie Linie_Autograde
    Vieleck Bezier Fill Zauberstab Zirkel Pipette_Area Drawform)
set(CV_PICTURE_OUTPUTS)
foreach(f ${CV_TOOL_PICTURES} Corvalen_08 Operationenbar Markbar effectbar Textbar Scriptbar
          Mark_verschieb Zirkel_voll Zirkel_leer)
  list(APPEND CV_PICTURE_OUTPUTS ${CV_DATA_OUT}/${f}.png)
endforeach()
foreach(f rot gruen blau OK wait Error Error2 tdt Stift_oben Stift_unten Structure OperationenIcon EffectsIcon)
  list(APPEND CV_PICTURE_OUTPUTS ${CV_DATA_OUT}/${f}.ico)
endforeach()
foreach(n 0 1 2 3)
  list(APPEND CV_PICTURE_OUTPUTS ${CV_DATA_OUT}/Cursor${n}.cur)
endforeach()
list(APPEND CV_PICTURE_OUTPUTS ${CV_DATA_OUT}/Screen.bmp)

add_custom_command(
  OUTPUT ${CV_DATA_OUT}/Functions.dat
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CV_DATA_OUT}
  COMMAND make_functions ${CMAKE_SOURCE_DIR}/data/functions/functions.txt ${CV_DATA_OUT}/Functions.dat
  DEPENDS make_functions ${CMAKE_SOURCE_DIR}/data/functions/functions.txt
  COMMENT "Generating Data/Functions.dat")
add_custom_command(
  OUTPUT ${CV_PICTURE_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:make_pictures> ${CV_DATA_OUT}
  DEPENDS make_pictures
  COMMENT "Drawing the interface pictures")

# program_data: the program folder with everything generated in it. The copy of data/
# runs first, so a generated file is never overwritten by it.
add_custom_target(program_data ALL DEPENDS ${CV_DATA_OUT}/Functions.dat ${CV_PICTURE_OUTPUTS})
add_dependencies(program_data program_folder)

# The programs and test programs are defined after this file is included: hook them at the
# end of the top-level directory.
function(cv_hook_program_data)
  foreach(t Corvalen test_toolkit test_documents test_shell test_script test_effects test_tools)
    if(TARGET ${t})
      add_dependencies(${t} program_data)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL cv_hook_program_data)
