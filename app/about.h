// Page 2: the hand cursor over the banner and the two links.
#pragma once

struct AppState;

void HoverRule(AppState& app);
void OpenWebLink(AppState& app);
void OpenMailLink(AppState& app);
