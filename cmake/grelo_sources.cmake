# Sources that compile everywhere (no <windows.h> but through platform/).
set(GRELO_PORTABLE_SOURCES
  platform/platform.cpp
  document/quiz_context.cpp
  document/lzw_decoder.cpp
  document/quiz_stream.cpp
  document/quiz_loading.cpp
  panel/scrolling.cpp
  panel/tile_hiding.cpp
  media/media_kind.cpp
  panel/layout_geometry.cpp
  panel/label_colours.cpp
  answers/judgement.cpp
  answers/answer_slots.cpp
  answers/hint_policy.cpp
  answers/score.cpp
  answers/saved_answers_reader.cpp
)

set(GRELO_AUTHORING_SOURCES
  authoring/lzw_encoder.cpp
  authoring/link_stream_text.cpp
  authoring/quiz_writer.cpp
  authoring/text_1252.cpp
  authoring/file_kinds.cpp
  authoring/file_io.cpp
  authoring/quiz_toml.cpp
  authoring/quiz_package.cpp
  authoring/quiz_dump.cpp
  authoring/pe_resources.cpp
)

# The Win32 glue of the player.
set(GRELO_WINDOWS_SOURCES
  document/quiz_context_gdi.cpp
  document/quiz_loader_win.cpp
  answers/saved_answers_win.cpp
  media/media_support.cpp
  shell/main_window.cpp
  shell/header_panel.cpp
  shell/startup.cpp
  panel/question_panel.cpp
  panel/answer_box.cpp
  answers/answer_checker_win.cpp
  answers/score_update_win.cpp
  media/picture_loader_win.cpp
  media/media_player_win.cpp
)
