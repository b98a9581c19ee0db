/*
 * Sonark: the MPEG audio decoder engine of Ludro Pro.
 *
 * A player decodes one input (a file or a stream address) on a thread of its
 * own and plays it through an output. Control messages are queued with the
 * control_message_send_* functions; every outcome comes back as a
 * notification posted as a window message to the window handle given to
 * player_new. The receiver turns such a message into an SK_Message with
 * control_win32_params_to_message.
 */
#ifndef SONARK_H
#define SONARK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint32_t SK_Player;
/* A message-target handle of the host (see platform/window_messages.h). */
typedef uintptr_t SK_WindowHandle;

/* The window message number that carries every notification. */
#define SK_NOTIFICATION_MESSAGE 0xB5EC

#define SK_API_VERSION_MAJOR 3
#define SK_API_VERSION_MINOR 2

/* 32 bands for the left channel, then 32 for the right, lowest band first. */
typedef struct SK_EqualizerInfo {
    int8_t left[32];
    int8_t right[32];
} SK_EqualizerInfo;

/*
 * A notification. Numeric fields sit at the byte offsets of the classic
 * 16-byte record: byte N of the record is data.bytes[N - 4]. Text fields
 * (zero-terminated UTF-8, owned by the engine) are in text[], in the order in
 * which they appear in the record; they stay valid until the next message of
 * the same player is converted or the player is deleted.
 */
typedef struct SK_Message {
    int32_t code;
    union {
        uint8_t bytes[12];
        int32_t value;                 /* pong tag, player mode, caps, mask ... */
        struct { uint8_t command; uint8_t reserved; int16_t code; } ack;
        struct { int32_t reserved; int32_t value; } environment; /* value at 8 */
        struct { int32_t offset; int32_t range; } position;
        struct { uint8_t hours, minutes, seconds, fractions; } timecode;
        struct {
            uint8_t level;             /* MPEG 1, 2, or 25 for MPEG 2.5 */
            uint8_t layer;
            uint16_t bitrate;          /* kbit/s; the average for VBR */
            uint16_t frequency;        /* Hz */
            uint8_t mode;              /* 0 stereo, 1 joint, 2 dual, 3 single */
        } stream_info;
        struct { uint8_t master, pcm, balance; } volume;
        struct { uint8_t id, nb_devices; } module_info;
        struct { uint8_t module_id, index, flags; } device_info;
        struct { int32_t reserved; uint8_t id; } filter_info;
        struct { uint8_t source, code; int16_t value; } progress;
        struct { uint8_t source, level; } debug;
        struct { uint8_t source, reserved; int16_t code; } error;
    } data;
    const char *text[2];
    const SK_EqualizerInfo *equalizer;  /* code 101 */
} SK_Message;

/* Control codes. */
enum {
    SK_EXIT = 1, SK_PING, SK_PLAY, SK_PAUSE, SK_STOP, SK_INPUT_SEEK, SK_INPUT_OPEN,
    SK_INPUT_CLOSE, SK_INPUT_SEND_MESSAGE, SK_INPUT_ADD_FILTER, SK_INPUT_REMOVE_FILTER,
    SK_INPUT_FILTER_LIST, SK_INPUT_MODULE_REGISTER, SK_INPUT_MODULE_QUERY,
    SK_INPUT_MODULES_LIST, SK_OUTPUT_OPEN, SK_OUTPUT_CLOSE, SK_OUTPUT_SEND_MESSAGE,
    SK_OUTPUT_MUTE, SK_OUTPUT_UNMUTE, SK_OUTPUT_RESET, SK_OUTPUT_DRAIN,
    SK_OUTPUT_ADD_FILTER, SK_OUTPUT_REMOVE_FILTER, SK_OUTPUT_FILTER_LIST,
    SK_OUTPUT_MODULE_REGISTER, SK_OUTPUT_MODULE_QUERY, SK_OUTPUT_MODULES_LIST,
    SK_SET_PLAYER_MODE, SK_GET_PLAYER_MODE, SK_SET_PLAYER_ENVIRONMENT_INTEGER,
    SK_GET_PLAYER_ENVIRONMENT_INTEGER, SK_SET_PLAYER_ENVIRONMENT_STRING,
    SK_GET_PLAYER_ENVIRONMENT_STRING, SK_UNSET_PLAYER_ENVIRONMENT, SK_SET_INPUT_NAME,
    SK_GET_INPUT_NAME, SK_SET_INPUT_MODULE, SK_GET_INPUT_MODULE,
    SK_SET_INPUT_POSITION_RANGE, SK_GET_INPUT_POSITION_RANGE,
    SK_SET_INPUT_TIMECODE_GRANULARITY, SK_GET_INPUT_TIMECODE_GRANULARITY,
    SK_SET_OUTPUT_NAME, SK_GET_OUTPUT_NAME, SK_SET_OUTPUT_MODULE, SK_GET_OUTPUT_MODULE,
    SK_SET_OUTPUT_VOLUME, SK_GET_OUTPUT_VOLUME, SK_SET_OUTPUT_CHANNELS,
    SK_GET_OUTPUT_CHANNELS, SK_SET_OUTPUT_PORTS, SK_GET_OUTPUT_PORTS,
    SK_SET_CODEC_QUALITY, SK_GET_CODEC_QUALITY,
    SK_SET_CODEC_EQUALIZER = 58, SK_GET_CODEC_EQUALIZER,
    SK_SET_NOTIFICATION_MASK, SK_GET_NOTIFICATION_MASK, SK_SET_DEBUG_LEVEL,
    SK_GET_DEBUG_LEVEL
};

/* Notification codes. */
enum {
    SK_NOTIFY_READY = 64, SK_NOTIFY_ACK, SK_NOTIFY_NACK, SK_NOTIFY_PONG, SK_NOTIFY_EXITED,
    SK_NOTIFY_PLAYER_STATE, SK_NOTIFY_PLAYER_MODE, SK_NOTIFY_PLAYER_ENVIRONMENT_INTEGER,
    SK_NOTIFY_PLAYER_ENVIRONMENT_STRING, SK_NOTIFY_INPUT_STATE, SK_NOTIFY_INPUT_NAME,
    SK_NOTIFY_INPUT_CAPS, SK_NOTIFY_INPUT_POSITION, SK_NOTIFY_INPUT_POSITION_RANGE,
    SK_NOTIFY_INPUT_TIMECODE, SK_NOTIFY_INPUT_TIMECODE_GRANULARITY, SK_NOTIFY_INPUT_DURATION,
    SK_NOTIFY_INPUT_STREAM_INFO, SK_NOTIFY_INPUT_MODULE, SK_NOTIFY_INPUT_MODULE_INFO,
    SK_NOTIFY_INPUT_DEVICE_INFO, SK_NOTIFY_INPUT_FILTER_INFO, SK_NOTIFY_OUTPUT_STATE,
    SK_NOTIFY_OUTPUT_NAME, SK_NOTIFY_OUTPUT_CAPS, SK_NOTIFY_OUTPUT_VOLUME,
    SK_NOTIFY_OUTPUT_BALANCE, SK_NOTIFY_OUTPUT_PCM_LEVEL, SK_NOTIFY_OUTPUT_MASTER_LEVEL,
    SK_NOTIFY_OUTPUT_CHANNELS, SK_NOTIFY_OUTPUT_PORTS,
    SK_NOTIFY_OUTPUT_MODULE = 96, SK_NOTIFY_OUTPUT_MODULE_INFO, SK_NOTIFY_OUTPUT_DEVICE_INFO,
    SK_NOTIFY_OUTPUT_FILTER_INFO, SK_NOTIFY_CODEC_QUALITY, SK_NOTIFY_CODEC_EQUALIZER,
    SK_NOTIFY_NOTIFICATION_MASK, SK_NOTIFY_DEBUG_LEVEL, SK_NOTIFY_PROGRESS, SK_NOTIFY_DEBUG,
    SK_NOTIFY_ERROR
};

/* Player states. */
enum {
    SK_STATE_STOPPED = 0, SK_STATE_PLAYING = 1, SK_STATE_PAUSED = 2, SK_STATE_EOF = 3
};

/* Error codes, in nack and error notifications and as results. */
enum {
    SK_SUCCESS = 0,
    SK_ERROR_FAILURE = -1,
    SK_ERROR_INVALID_ARGUMENT = -2,
    SK_ERROR_NO_SUCH_PLAYER = -3,
    SK_ERROR_NO_INPUT = -4,
    SK_ERROR_INPUT_OPEN = -5,
    SK_ERROR_INPUT_FORMAT = -6,
    SK_ERROR_INPUT_READ = -7,
    SK_ERROR_NOT_SEEKABLE = -8,
    SK_ERROR_OUTPUT = -9,
    SK_ERROR_NETWORK = -10,
    SK_ERROR_UNSUPPORTED = -11,
    SK_ERROR_EXITED = -12
};

/* Sources in error, debug and progress notifications. */
enum { SK_SOURCE_PLAYER = 0, SK_SOURCE_INPUT = 1, SK_SOURCE_CODEC = 2, SK_SOURCE_OUTPUT = 3 };

/* Progress codes of a stream (source SK_SOURCE_INPUT). STREAM_TITLE: the
   title the station sends now (text). RECONNECTING: the stream broke; the
   next try comes in value seconds (text: why it broke). STATION_LIST: the
   address answered with a station list (text: the list, at most 64 KB), not
   audio; the player stops. */
enum { SK_PROGRESS_STREAM_TITLE = 1, SK_PROGRESS_RECONNECTING = 2, SK_PROGRESS_STATION_LIST = 3 };

/* Bits 16-23 major version, bits 8-15 minor version. */
uint32_t sonark_get_api_version(int32_t which);
const char *sonark_error_string(int32_t code);

int32_t player_new(SK_Player *player, const SK_WindowHandle *notification_window);
int32_t player_delete(SK_Player player);
/* The priority is kept and reported; the player's thread keeps the normal
   scheduling class, since raising it needs privileges a desktop user lacks. */
int32_t player_set_priority(SK_Player player, uint32_t priority);
uint32_t player_get_priority(SK_Player player);
/* For a visualizer: copies into stereo (2 * frames samples, interleaved) the
   frames of the player's output heard at this moment, before the volume.
   Returns how many it copied: 0 while nothing plays, or an error code. Never
   makes the player's thread wait. */
int32_t player_read_pcm(SK_Player player, int16_t *stereo, int32_t frames);

int32_t control_message_send_N(SK_Player player, int32_t code);
int32_t control_message_send_I(SK_Player player, int32_t code, int32_t a);
int32_t control_message_send_II(SK_Player player, int32_t code, int32_t a, int32_t b);
int32_t control_message_send_III(SK_Player player, int32_t code, int32_t a, int32_t b, int32_t c);
int32_t control_message_send_IPI(SK_Player player, int32_t code, int32_t a, const void *p, int32_t size);
int32_t control_message_send_S(SK_Player player, int32_t code, const char *s);
int32_t control_message_send_SI(SK_Player player, int32_t code, const char *s, int32_t a);
int32_t control_message_send_SS(SK_Player player, int32_t code, const char *s, const char *t);
int32_t control_message_send_P(SK_Player player, int32_t code, const void *p);

/* Fills *message from a window message that reached the notification window.
   Returns SK_SUCCESS, or an error code (and code -1 in *message) for a
   message that is not a notification of this player. */
int32_t control_win32_params_to_message(SK_Player player, SK_Message *message,
                                        uint32_t msg, uintptr_t wparam, intptr_t lparam);

#ifdef __cplusplus
}
#endif

#endif
