#pragma once

#include <QString>

// The contact e-mail field beside the card and its shortcuts.

// The field's text when no address is entered.
QString contactEmailPlaceholder();   // "Contact's Email"

// The two forwarding domains offered for a contact's address: ARRL's member forwarding
// (call@arrl.net) and QSL.net's (call@qsl.net). The first is offered on entering the field.
QString firstForwardingDomain();     // "@arrl.net"
QString secondForwardingDomain();    // "@qsl.net"

// An address is accepted when it is not the placeholder, holds an "@", is neither "@" nor a
// bare forwarding domain, and neither starts nor ends with "@". Nothing else is judged.
bool isAcceptableAddress(const QString &text);

// The field after a change: the first ".." becomes "@" (typing two dots enters an "@"); a
// text without "@" that is not the placeholder is turned to upper case (a to z only).
QString emailAfterChange(const QString &text);

// The field on gaining the focus: with a call sign, call sign + first forwarding domain
// (replacing what was there); without one, unchanged.
QString emailOnEnter(const QString &callSign, const QString &text);

// The field after popup item 0 to 3 (call sign + "@"; append "@"; first domain; second
// domain), the change rule applied to every text written as the field would apply it.
// The placeholder counts as an empty field here, so it never becomes part of an address.
QString emailAfterMenuItem(int position, const QString &text, const QString &callSign);
