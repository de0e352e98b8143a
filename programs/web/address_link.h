// The page's address holds the request it shows (engine/share_link.h): read when the page
// opens, written when Calculate has shown code.
#pragma once

struct AppState;
namespace ui::web {
class WebGadgets;
}

// The request of the address's fragment put into the fields and calculated; a bad link says
// what is wrong with it, a profile the visitor lacks gives way to the built-in one, with a note.
void ApplyLinkOfAddress(AppState& app, ui::web::WebGadgets& page);
// The fields' request into the address, without reloading or a new history entry.
void WriteLinkToAddress(AppState& app, ui::web::WebGadgets& page);
