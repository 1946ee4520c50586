#pragma once

#include "DialogDriver.h"
#include "ModalHooks.h"

#include <string>

/**
 * The combat dialog worked as a player does: an odds button, the die cast with the Bone button,
 * a comment typed, Close. Control ids of the dialog's template.
 */
namespace CombatScript {

constexpr int Dialog = 9400;
constexpr int OneToOne = 9405, TwoToOne = 9406, ThreeToOne = 9407;
constexpr int BoneButton = 1, CloseButton = 2, CommentEdit = 9519;

/** Queues, on the hooks in force, the resolution of the next combat dialog. */
inline void Resolve(const std::string& comment, int oddsButton = ThreeToOne) {
    ModalHooks::Active()->DriveDialog(Dialog, [comment, oddsButton](DialogDriver& d) {
        d.Click(oddsButton);
        d.Click(BoneButton);
        d.Type(CommentEdit, comment);
        d.Click(CloseButton);
    });
}

} // namespace CombatScript
