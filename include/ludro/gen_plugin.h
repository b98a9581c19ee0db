/*
 * Ludro Pro general-purpose plug-ins.
 *
 * A plug-in is a shared library in the "plugins" folder beside the program
 * that exports winampGetGeneralPurposePlugin(). The player fills in
 * hwndParent and hDllInstance, then calls init(); it calls quit() when it
 * ends. To drive the player, a plug-in posts window messages to hwndParent
 * with ludro_post_message(): WM_COMMAND (273) with a command number from
 * 40001 to 40199 in wParam and its argument in lParam.
 */
#ifndef LUDRO_GEN_PLUGIN_H
#define LUDRO_GEN_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define LUDRO_WM_COMMAND 273

typedef struct winampGeneralPurposePlugin {
    int version;
    const char *description;
    int (*init)(void);
    void (*config)(void);
    void (*quit)(void);
    uintptr_t hwndParent;   /* the player's message target */
    void *hDllInstance;     /* the library's handle */
} winampGeneralPurposePlugin;

typedef winampGeneralPurposePlugin *(*winampGetGeneralPurposePluginFunction)(void);

/* Provided by the player. Thread-safe; returns 0 when the window is gone. */
int ludro_post_message(uintptr_t window, uint32_t msg, uintptr_t wParam, intptr_t lParam);

#ifdef __cplusplus
}
#endif

#endif
