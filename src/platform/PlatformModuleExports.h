#pragma once

#include <QString>

class HttpClient;
class SoundPlayer;

// What the modules of the program export, each by its name.
using MakeHttpClient = HttpClient*();
constexpr const char* MakeHttpClientName = "pelk_make_http_client";
using MakeSoundPlayer = SoundPlayer*(const QString& deviceName);
constexpr const char* MakeSoundPlayerName = "pelk_make_sound_player";
