# The bundled defaults of a program started from the build tree, in data/ beside the executable:
# the element sets kept here, and the colour table, icon list and town lists that our own tool
# writes. Without the time-zone tables the tool still writes every file.
set(KIV_ZONE_TABLE /usr/share/zoneinfo/zone1970.tab CACHE FILEPATH "tzdata's zone1970.tab, the source of the big town list")
set(KIV_COUNTRY_TABLE /usr/share/zoneinfo/iso3166.tab CACHE FILEPATH "tzdata's iso3166.tab, the country names of the town lists")

set(data_dir ${PROJECT_BINARY_DIR}/data)
set(zone_inputs)
foreach(table IN ITEMS ${KIV_ZONE_TABLE} ${KIV_COUNTRY_TABLE})
  if(EXISTS ${table})
    list(APPEND zone_inputs ${table})
  endif()
endforeach()

set(copied)
foreach(file IN ITEMS intelsat.tle SATELLITE.DAT)
  add_custom_command(
    OUTPUT ${data_dir}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/${file} ${data_dir}/${file}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${file}
    COMMENT "Copying ${file}"
    VERBATIM)
  list(APPEND copied ${data_dir}/${file})
endforeach()

set(generated ${data_dir}/kiv.clr ${data_dir}/kiv.sin ${data_dir}/smaltown.twn ${data_dir}/bigtown.twn)
add_custom_command(
  OUTPUT ${generated}
  COMMAND kiv_make_defaults ${data_dir} ${KIV_ZONE_TABLE} ${KIV_COUNTRY_TABLE}
  DEPENDS kiv_make_defaults ${zone_inputs}
  COMMENT "Writing the default colour table, icon list and town lists"
  VERBATIM)

add_custom_target(kiv_data ALL DEPENDS ${copied} ${generated})
