#pragma once

// What the operator chose when asked for an item's value; for a write, also how many fields the
// instrument's reply must have.
enum WriteMode {
    WriteCancelled = 0,  // nothing is written
    WriteConfirmOnly = 1, // an action item, written with an empty value; the reply has one field
    WriteValued = 2       // a new value; the reply has name and value
};
