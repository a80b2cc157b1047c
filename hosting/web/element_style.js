// The element's look: its style sheet, and the page's colours the control's own are resolved
// against. Every colour is a system colour or one of the element's custom properties, so the
// page's colour scheme, forced colours and a host's theme all reach the control.

// The desktop scheme's colours by system colour number, as the page's CSS system colours show
// them (0 the scroll bar, 5 the window, 8 the window text, 15 the button face, ...). A host's
// custom properties stand for the faces and texts it may set.
const face = "var(--ruvo-face, ButtonFace)";
const text = "var(--ruvo-text, ButtonText)";
const field = "var(--ruvo-field, Window)";
const fieldText = "var(--ruvo-field-text, WindowText)";
export const systemColors = [
    "Scrollbar", "Background", "ActiveCaption", "InactiveCaption", "Menu", field,
    "WindowFrame", "MenuText", fieldText, "CaptionText", "ActiveBorder", "InactiveBorder",
    "AppWorkspace", "Highlight", "HighlightText", face, "ButtonShadow", "GrayText",
    text, "InactiveCaptionText", "ButtonHighlight", "ThreeDDarkShadow",
    "ThreeDLightShadow", "InfoText", "InfoBackground", face, "LinkText", "ActiveCaption",
    "InactiveCaption", "Highlight", "Menu",
];

// What of a box each kind leaves its text, across and down, in CSS pixels: the style sheet's
// borders, paddings, indicators and drop-down arrows. A legend sits 6 pixels in with 2 of padding
// a side; a radio's 13-pixel circle has 2 before it and a gap of 3 after; a list has 2 of padding,
// 13 for its arrow and a 1-pixel border; a button 2 of padding and Chromium's 2-pixel border; a
// result 2 of padding and its 1-pixel border.
export const textInsets = {
    grouping: [10, 0], radio: [18, 0], list: [17, 2], button: [8, 4], text: [0, 0], result: [6, 2],
};

// The sheet of every element, given as a constructed style sheet: a page's
// Content-Security-Policy needs no 'unsafe-inline' for it.
export const styleText = `
:host { display: inline-block; position: relative; contain: content; vertical-align: top;
        font: 11px Arial, "Liberation Sans", Helvetica, sans-serif;
        color: ${text}; background: ${face}; }
:host([hidden]) { display: none; }
/* The captions are English: the surface keeps its left-to-right layout on any page. */
#surface { position: absolute; inset: 0; outline: none; direction: ltr; unicode-bidi: isolate; }
.widget { position: absolute; box-sizing: border-box; margin: 0; }
fieldset.widget { border: none; padding: 0; min-width: 0; }
/* The legend's line grows with the font, and the frame's line meets it halfway down. */
fieldset > .line { position: absolute; inset: 0.55em 0 0 0; border: 2px groove ${face};
                   pointer-events: none; }
fieldset > legend { position: absolute; top: 0; left: 6px; padding: 0 2px;
                    background: ${face}; white-space: nowrap; }
label.widget { display: flex; align-items: center; gap: 3px; white-space: nowrap; }
label.widget input { margin: 0 0 0 2px; flex: none; }
.text { overflow-wrap: break-word; }
.centered { text-align: center; }
.bordered { border: 1px solid currentColor; }
output.widget { display: flex; align-items: center; justify-content: center; padding: 0 2px; }
/* The focus ring stands out from the face by 3:1 and more in light and dark schemes alike. It
   lies just outside the widget, on the surface, whatever the widget's own colours; a radio's
   hugs its circle, clear of the caption 3 pixels on. */
.widget:focus-visible, input:focus-visible, select:focus-visible {
    outline: 2px solid var(--ruvo-focus-color, ${text}); outline-offset: 1px; }
input:focus-visible { outline-offset: 0; }
select, button.widget { font: inherit; letter-spacing: inherit; word-spacing: inherit;
                        line-height: inherit; color: inherit; padding: 0 2px; }
/* A list is its select and a narrow drop-down arrow, so a year fits a list 49 pixels wide, all
   in the list's one colour. */
.list { background: ${face}; }
.list > select { appearance: none; box-sizing: border-box; width: 100%; height: 100%; margin: 0;
                 padding-right: 13px; border: 1px solid ButtonShadow; background: inherit; }
.list > .arrow { position: absolute; right: 3px; top: calc(50% - 2px); width: 7px; height: 4px;
                 clip-path: polygon(0 0, 100% 0, 50% 100%); background: currentColor;
                 pointer-events: none; }
.list.disabled > select { opacity: 0.6; }
canvas.widget { border: 2px inset ${face}; object-fit: none; background: ${field}; }
.disabled { color: GrayText; }
[hidden] { display: none !important; }
/* Read by assistive technology alone. */
#announcer, #validation { position: absolute; width: 1px; height: 1px; overflow: hidden;
                          clip-path: inset(50%); white-space: nowrap; }
/* Follows the element's font and text spacing: a change of either lays the surface out again. */
#font-probe { position: absolute; visibility: hidden; white-space: nowrap; pointer-events: none; }
#palette-probe { display: none; }
@media (forced-colors: active) {
    /* The arrow is drawn in the list's text colour of the forced theme. */
    .list > .arrow { forced-color-adjust: none; background: FieldText; }
    .list.disabled > .arrow { background: GrayText; }
    .list > select { border-color: FieldText; }
}
`;
