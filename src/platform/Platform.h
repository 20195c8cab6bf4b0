#pragma once

class HttpClient;
class SerialLink;
class SoundPlayer;
class MessageBox;
class Clock;

// The platform facilities the windows use, owned by the application.
struct Platform {
    HttpClient& http;
    SerialLink& serial;
    SoundPlayer& sound;
    MessageBox& messages;
    Clock& clock;
};
