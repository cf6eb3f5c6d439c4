#include "host/logo_places.h"

const std::array<LogoPlace, kLogoPlaceCount> kLogoPlaces = {{
    {"--start", "LOGO.SYS", "LOGO.PWN", "LOGO.PWO", false, "start-up"},
    {"--shutdown", "LOGOW.SYS", "LOGOW.PWN", "LOGOW.PWO", true, "shutdown"},
    {"--power-off", "LOGOS.SYS", "LOGOS.PWN", "LOGOS.PWO", true, "power-off"},
}};
