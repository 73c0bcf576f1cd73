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

set(generated ${data_dir}/kiv.clr ${data_dir}/kiv.sin ${data_dir}/smaltown.twn ${data_dir}/bigtown.twn ${data_dir}/wdb.col)
add_custom_command(
  OUTPUT ${generated}
  COMMAND kiv_make_defaults ${data_dir} ${KIV_ZONE_TABLE} ${KIV_COUNTRY_TABLE}
  DEPENDS kiv_make_defaults ${zone_inputs}
  COMMENT "Writing the default colour table, icon list and town lists"
  VERBATIM)

add_custom_target(kiv_data ALL DEPENDS ${copied} ${generated})

# The World Data Bank views' default vector data: GSHHG's shorelines, borders and rivers
# (LGPL-3+, Debian's gmt-gshhg-low) extracted with GMT and converted into the twenty segment
# files. Without GMT the views show their background, grid and towns only.
find_program(KIV_GMT gmt)
set(KIV_GSHHG_RESOLUTION i CACHE STRING "GSHHG resolution of the default World Data Bank files (c, l, i; h and f need gmt-gshhg-high or -full)")
if(KIV_GMT)
  set(wdb_files)
  foreach(continent IN ITEMS africa europe namer samer asia)
    foreach(kind IN ITEMS bdy cil riv pby)
      list(APPEND wdb_files ${data_dir}/${continent}.${kind})
    endforeach()
  endforeach()
  add_custom_command(
    OUTPUT ${wdb_files}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/wdbconvert/make-wdb-data.sh $<TARGET_FILE:kiv_wdbconvert> ${data_dir} ${KIV_GSHHG_RESOLUTION}
    DEPENDS kiv_wdbconvert ${PROJECT_SOURCE_DIR}/tools/wdbconvert/make-wdb-data.sh
    COMMENT "Converting GSHHG's coastlines, borders and rivers into World Data Bank files"
    VERBATIM)
  add_custom_target(kiv_wdb_data ALL DEPENDS ${wdb_files})
else()
  message(WARNING "gmt not found: no default World Data Bank files (tools/setup-deps.sh installs it)")
endif()
