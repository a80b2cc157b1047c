// <ruvo-moravine>: the Moravine pregnancy-dating control. Importing "@ruvo/moravine" loads its
// WebAssembly core (moravine.wasm, beside the module) and defines the element.

/** How the EDD on view was found: by the LMP, a crown rump length, a biparietal diameter, a head
 * circumference or a derived gestation; empty while no EDD is on view. */
export type EddMethod = "lmp" | "crl" | "bpd" | "hc" | "derived" | "";

export interface EddChangeDetail {
  /** The EDD on view, "YYYY-MM-DD", or "" while none is. */
  edd: string;
  eddMethod: EddMethod;
}

export interface GestationChangeDetail {
  /** The gestation at birth on view in days, or -1 while none is. */
  gestationAtBirthDays: number;
}

export interface RuntimeErrorDetail {
  /** What ended the user's action; the control stays usable. */
  message: string;
}

export declare class RuvoMoravineElement extends HTMLElement {
  static readonly formAssociated: true;
  /** The EDD on view, "YYYY-MM-DD", or "" while none is. Submitted under the element's name. */
  readonly edd: string;
  readonly eddMethod: EddMethod;
  /** The gestation at birth on view in days, or -1 while none is. */
  readonly gestationAtBirthDays: number;
  /** The display form of a date ("26 October 2006"): a Date (its local day) or "YYYY-MM-DD";
   * "" for an invalid date or one outside 1 January 100 to 31 December 9999. */
  datenice(date: Date | string): string;
}

export interface RuvoMoravineEventMap extends HTMLElementEventMap {
  "edd-change": CustomEvent<EddChangeDetail>;
  "gestation-change": CustomEvent<GestationChangeDetail>;
  "runtime-error": CustomEvent<RuntimeErrorDetail>;
}

declare global {
  interface HTMLElementTagNameMap {
    "ruvo-moravine": RuvoMoravineElement;
  }
  interface HTMLElementEventMap {
    "edd-change": CustomEvent<EddChangeDetail>;
    "gestation-change": CustomEvent<GestationChangeDetail>;
    "runtime-error": CustomEvent<RuntimeErrorDetail>;
  }
}
