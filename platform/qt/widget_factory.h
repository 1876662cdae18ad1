#pragma once

// Builds the Qt widget for each control of a template.

#include <QWidget>
#include <map>
#include <span>

#include "platform/qt/dialog_template.h"
#include "platform/qt/dialog_units.h"

namespace platform::qt {

// A child of `parent`, placed by the control's rectangle.
QWidget* CreateControlWidget(const ControlTemplate& control, BaseUnits base, QWidget* parent);

// Makes each label the buddy of the control it names, so the label's mnemonic moves the focus
// to it and screen readers find the label, and gives the control the caption (without mnemonic
// marker and trailing colon) as its accessible name. Qt on Linux names a drop-down list by its
// current text whatever is set, as AT-SPI expects; a screen reader says its label from the buddy.
// `templateWidgets` holds the widget of each template control, in template order.
void LinkBuddies(std::span<const ControlTemplate> templateControls,
                 std::span<QWidget* const> templateWidgets, const std::map<int, QWidget*>& widgets);

// Group boxes only frame their neighbours (they are not their parents), so nothing but the
// picture tells which group a field belongs to: each edit field and list inside a group box's
// rectangle takes the group's caption as its accessible description ("Reg Addr" of "Read
// Register" and of "Write Register").
void DescribeByGroups(std::span<const ControlTemplate> templateControls,
                      std::span<QWidget* const> templateWidgets);

// The tab order is template order.
void SetTemplateTabOrder(std::span<QWidget* const> templateWidgets);

}  // namespace platform::qt
