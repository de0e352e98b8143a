#include "app/profile_gadget.h"

void FillProfileGadget(ui::Gadgets& gadgets, const ProfileList& profiles, int gadget, int index) {
    gadgets.ClearItems(gadget);
    for (const Profile& p : profiles)
        gadgets.AddItem(gadget, p.Name);
    gadgets.SetState(gadget, index >= 0 ? index : -1);
}
