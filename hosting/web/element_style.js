// The element's look: the page's colours the control's own are resolved against, and the room
// its style sheet (element.css) leaves each kind of widget's text.

// The desktop scheme's colours by system colour number, as the page's CSS system colours show
// them (0 the scroll bar, 5 the window, 8 the window text, 15 the button face, ...); the faces
// and texts a host may theme as the sheet has them.
const face = "var(--_face)";
const text = "var(--_text)";
const field = "var(--_field)";
const fieldText = "var(--_field-text)";
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

// The style sheet, minified when the module is bundled.
export { default as styleText } from "./element.css";
