#pragma once

/**
 * One odds class a player can choose for a combat: a radio button of the combat dialog's odds
 * group and the text the combat record stores when it is selected. Some classes cover several
 * odds at once (1:5 and 1:6, 1:3 and 1:4, 7:1 and above), which their stored texts spell out.
 */
struct OddsClass {
    /** Control id of the radio button. */
    int ControlId;
    /** The button's caption. */
    const char* Caption;
    /** The small label under the button; empty for classes that cover one odds ratio. */
    const char* SmallLabel;
    /** The text stored in the combat record's Odds field. */
    const char* StoredText;
};
