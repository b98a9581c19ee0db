/* A sample general-purpose plug-in: on init it asks the player to toggle
   repeat; config and quit add their names to the file named by
   LUDRO_SAMPLE_PLUGIN_LOG. */

#include "ludro/gen_plugin.h"

#include <stdio.h>
#include <stdlib.h>

static winampGeneralPurposePlugin plugin;

static int init(void)
{
    ludro_post_message(plugin.hwndParent, LUDRO_WM_COMMAND, 40090, 0);
    return 0;
}

static void note(const char *what)
{
    const char *log = getenv("LUDRO_SAMPLE_PLUGIN_LOG");
    FILE *f = log ? fopen(log, "a") : NULL;
    if (f) {
        fputs(what, f);
        fclose(f);
    }
}

static void config(void)
{
    note("config ");
}

static void quit(void)
{
    note("quit");
}

static winampGeneralPurposePlugin plugin = {0x10, "Ludro sample plug-in", init, config, quit, 0, 0};

winampGeneralPurposePlugin *winampGetGeneralPurposePlugin(void)
{
    return &plugin;
}
