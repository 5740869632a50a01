#pragma once

#include "CardMailRun.h"

#include <QString>

#include <atomic>
#include <functional>
#include <vector>

class SentJournal;

// Sends a run of cards (CardMailRun) on a thread of its own and returns when it has ended;
// meanwhile the window thread runs its event loop, so the window keeps painting and Esc is
// seen. status is called on the window thread with what the run is doing ("Card 3 of 20 to
// ..."). The run stops between two cards once stop turns true.
SendRunOutcome sendCardsInBackground(const SendSettings &settings, SentJournal &journal,
                                     const std::vector<CardToSend> &cards, bool resend,
                                     const std::atomic<bool> &stop,
                                     const std::function<void(const QString &)> &status);
